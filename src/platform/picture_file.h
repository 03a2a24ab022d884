#pragma once

#include <QImage>
#include <QString>

// Decodes a picture file (BMP, GIF, JPEG and whatever else the system's image readers
// know) into a picture of its natural size. Throws CommandError when the file is missing,
// unreadable, undecodable or too large to hold.
QImage loadPicture(const QString &path);

// Writes a picture as a 24-bit Windows bitmap under exactly this path. The file is written
// completely before it replaces an existing one, so a failed write leaves the old file
// intact and no partial file behind. Throws CommandError on failure.
void savePictureAsBmp(const QImage &picture, const QString &path);
