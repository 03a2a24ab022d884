#pragma once

#include <QImage>
#include <QSize>

// A picture resampled smoothly to another size: areas averaged when reducing, blended when
// enlarging. Qt's smooth scaling shares a large picture out among helper threads and waits
// for them; where no thread can be started (a process limit, an address space too small for
// another stack) it would wait forever. There the picture is resampled on the calling
// thread by averaging areas (a box filter both ways), which differs from Qt's result by a
// few levels at most. A null picture when the memory is short.
QImage smoothScaled(const QImage &source, QSize size);

// The same resampling on the calling thread, always.
QImage areaAveraged(const QImage &source, QSize size);

// Whether a helper thread can be started at this moment.
bool helperThreadsCanStart();

// QImage::convertToFormat, which shares a large picture out among helper threads like the
// smooth scaling; where none can start, it converts one row at a time on the calling
// thread instead, with the same result.
QImage convertedSafely(const QImage &source, QImage::Format format);
