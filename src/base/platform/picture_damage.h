#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

// Signs that a picture file is damaged (cut off or corrupted), which the image readers
// often decode anyway from whatever they guessed.

// Collects what the image readers warn of on this thread while it lives ("Premature end
// of JPEG file", libtiff's and libpng's errors): a decoder that had to guess. Informational
// notes (a colour profile libpng dislikes) are not collected.
class DecoderWarnings
{
  public:
    DecoderWarnings();
    ~DecoderWarnings();
    DecoderWarnings(const DecoderWarnings &) = delete;
    DecoderWarnings &operator=(const DecoderWarnings &) = delete;
    const QStringList &warnings() const { return warnings_; }

  private:
    QStringList warnings_;
    QStringList *outer_;
};

// For an uncompressed Windows bitmap: why the file cannot hold the pixels its header
// claims (it ends before they do), or empty. Reads the header only; the device's position
// is kept. Empty for other formats and for compressed bitmaps.
QString bitmapShortfall(QIODevice &file);

// For a GIF: why its blocks do not run whole up to the trailer that ends every GIF (it is cut
// off), or empty. Walks the blocks without decoding them. Empty for other formats.
QString gifShortfall(const QString &path);
