#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// An uncompressed 24- or 32-bit Windows bitmap read a row at a time and reduced to `size`
// as the rows come, by averaging areas (see AreaReducer), top row first whichever way the
// file stores them: however large the picture, no more than one of its rows is held. No
// picture for other bitmaps (palettes, run-length coding, unusual bit fields) and for a
// file shorter than its pixels, which are decoded whole as before.
std::optional<QImage> decodeBmpReduced(const QString &path, QSize size);
