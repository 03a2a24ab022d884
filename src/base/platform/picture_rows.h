#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class FileGroup;

// Rows y .. y + count - 1 of a picture as red, green, blue bytes into out, `stride` bytes
// from row to row. Pictures at print sizes are made and written this way, a band of rows
// at a time, and never held whole.
using RowSource = std::function<void(int y, int count, uchar *out, qsizetype stride)>;

// The rows a picture is made in at a time: a few megabytes at the widest canvas.
constexpr int kBandRows = 128;

// The rows of a picture (of any format, transparent parts on white).
RowSource rowsOf(const QImage &picture);

// The picture of the given size that a row source makes, opaque 32-bit, built a band at a
// time; null when there is no memory for it.
QImage imageFromRows(QSize size, const RowSource &rows);

// Hands the picture a row source makes to `sink` a band at a time, from the top (or from the
// bottom band up, rows within a band still top to bottom), making the next band on a second
// thread while the sink takes one, where a thread can be had. Stops at the first band the
// sink refuses (false); passes on what the row source throws.
using BandSink = std::function<bool(const uchar *rgb, int count, qsizetype stride)>;
bool streamBands(QSize size, const RowSource &rows, bool bottomUp, const BandSink &sink);

// The picture of the given size that a row source makes, written as the file's name says
// (PNG for .png, else a 24-bit bitmap, the bytes savePicture writes for the same pixels)
// into the next file of the group, a band at a time. The next band is made on a second
// thread while one is encoded, where a thread can be had. Throws FileNotWritten naming the
// file, and passes on what the row source throws.
void savePictureRows(QSize size, const RowSource &rows, const QString &path, FileGroup &group);

// The picture a row source makes as PNG bytes (see encodePng); empty when the encoder fails.
QByteArray encodePngRows(QSize size, const RowSource &rows);
