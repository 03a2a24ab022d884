#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// A PNG file decoded a row at a time and reduced to `size` as the rows come, by averaging
// areas (see AreaReducer): however large the picture in the file, no more than a few of its
// rows are held at once. Transparent parts show as white. No picture for files this does not
// read row by row (interlaced ones), which are then decoded whole. Throws PictureDamaged for
// a file that is cut off or corrupted when `refuseDamaged`, else CommandError.
std::optional<QImage> decodePngReduced(const QString &path, QSize size, bool refuseDamaged);
