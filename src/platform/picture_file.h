#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Decodes a picture file (BMP, GIF, JPEG and whatever else the system's image readers
// know) into a picture of its natural size. Throws CommandError when the file is missing,
// unreadable, undecodable or too large to hold.
QImage loadPicture(const QString &path);

// A picture decoded for drawing at a bounded size, with the size of the file's picture.
struct DecodedPicture {
    QImage picture;
    QSize naturalSize;
};

// Decodes a picture file for drawing at no more than `bound` pixels. A JPEG photograph
// large enough is decoded at 1/2, 1/4 or 1/8 of its size by the JPEG decoder itself, which
// averages each block (so the result looks as good as a smooth reduction) and is many
// times faster than decoding every pixel; the reduced picture still has at least
// max(bound width, bound height) pixels both ways, so it is never enlarged where the
// full picture would have been reduced. Other files are decoded whole. naturalSize is
// always the size of the picture in the file (upright, as it is shown). Throws like
// loadPicture.
DecodedPicture loadPictureFor(const QString &path, QSize bound);

// Writes a picture as a 24-bit Windows bitmap under exactly this path. The file is written
// completely before it replaces an existing one, so a failed write leaves the old file
// intact and no partial file behind. Throws CommandError on failure.
void savePictureAsBmp(const QImage &picture, const QString &path);

// Writes a picture under exactly this path, as PNG when the name ends in .png (any case)
// and as a 24-bit bitmap otherwise, completely before it replaces an existing file.
// Throws FileNotWritten with the system's reason on failure.
void savePicture(const QImage &picture, const QString &path);
