#pragma once

#include <QImage>
#include <QSize>

#include <map>
#include <vector>

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

// Resamples a picture fed to it one row at a time, top to bottom, by averaging areas as
// areaAveraged does: each pixel of the result is the mean of the part of the picture it
// covers, the pixels at its edges counted by how much of them it covers. Only the rows of
// the result still being summed are held besides the result.
class AreaReducer
{
  public:
    AreaReducer(QSize from, QSize to);
    // False when the result does not fit in memory.
    bool ok() const { return !result_.isNull(); }
    // The next row: from.width() premultiplied pixels.
    void addRow(const QRgb *row);
    // Once every row was added: the result, premultiplied.
    const QImage &result() const { return result_; }
    // The result laid on white, opaque.
    QImage onWhite() const;

    struct Span {
        int first = 0;
        std::vector<float> weights; // of pixels first, first + 1, ...
    };

  private:
    std::vector<Span> across_;
    std::vector<Span> down_;
    std::vector<float> row_;
    std::map<int, std::vector<float>> open_; // rows of the result still being summed
    int next_ = 0;                           // the next row of the picture
    int firstOpen_ = 0;                      // the first row of the result not yet finished
    QImage result_;
};
