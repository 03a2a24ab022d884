#pragma once

#include "platform/command_error.h"

#include <QImage>
#include <QSize>
#include <QString>

// The largest picture the program opens, in pixels: any real photograph or scan (a 200 MP
// camera, an A3 page at 1200 dpi) is smaller. A file whose header claims more is refused
// before anything is decoded, like an undecodable file.
constexpr qint64 kLargestPicturePixels = 220'000'000;

// Sets the image readers' allocation limit so that every picture up to the largest size
// decodes; the default of 128 MB refuses a 48 MP photograph or an A4 page at 600 dpi. Runs
// once per process; every loader calls it, so the windows, the tests and the tools all
// read pictures alike.
void usePictureReaderLimits();

class QImageReader;

// The size of the reader's picture as stored: Qt gives a bitmap stored top row first a
// negative height, which would slip past every check of size.
QSize storedPictureSize(QImageReader &reader);

// True for a regular file (a FIFO, a device or a folder is never opened: reading one could
// wait forever) whose header names a picture of no more than the largest size. Reads the
// header only; what dragging a file over a thumbnail asks.
bool looksLikePictureFile(const QString &path);

// Decodes a picture file (BMP, GIF, JPEG and whatever else the system's image readers
// know) into a picture of its natural size. Throws CommandError when the file is missing,
// not a regular file, unreadable, undecodable or larger than the largest size.
QImage loadPicture(const QString &path);

// A picture file that is damaged: cut off, or with data its decoder could only guess at.
// The reason says what gave it away.
class PictureDamaged : public CommandError
{
  public:
    explicit PictureDamaged(const QString &reason)
        : CommandError("damaged: " + reason.toStdString()), reason_(reason)
    {
    }
    const QString &reason() const { return reason_; }

  private:
    QString reason_;
};

// What a loader does with a damaged file: take what the decoder made of it (one picture
// the user opens and looks at), or refuse it (a frame among several, composed unseen).
enum class WhenDamaged { Accept, Refuse };

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
// full picture would have been reduced. A PNG or an uncompressed bitmap is read a row at
// a time and reduced as it comes; other formats are decoded whole, and a picture of
// more than 4 MP is then reduced by the same rule, so that no more is kept than the
// canvases need. naturalSize is always the size of the picture in the file (upright, as it
// is shown). Throws like loadPicture, and PictureDamaged for a damaged file when asked to
// refuse one: before decoding where the header already shows it.
DecodedPicture loadPictureFor(const QString &path, QSize bound,
                              WhenDamaged damaged = WhenDamaged::Accept);

// Writes a picture as a 24-bit Windows bitmap under exactly this path. The file is written
// completely before it replaces an existing one, so a failed write leaves the old file
// intact and no partial file behind (see writeWholeFile). Throws FileNotWritten with the
// system's reason on failure.
void savePictureAsBmp(const QImage &picture, const QString &path);

class FileGroup;

// The same as the next file of a group of files written together (a picture and its
// lattice): nothing replaces an old file until the whole group is written.
void savePicture(const QImage &picture, const QString &path, FileGroup &group);

// Writes a picture under exactly this path, as PNG when the name ends in .png (any case)
// and as a 24-bit bitmap otherwise, like savePictureAsBmp.
void savePicture(const QImage &picture, const QString &path);
