#pragma once

#include "export/animation_file.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <vector>

// Frame sources made for a test: every frame one flat colour of a known hue, so a frame
// read back (even through a lossy video codec) is told by its nearest colour.
namespace source_files
{

inline QColor frameColour(int index, int count)
{
    return QColor::fromHsv(index * 360 / count, 255, 230);
}

inline QImage colourFrame(int index, int count, QSize size = QSize(64, 48))
{
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(frameColour(index, count));
    return frame;
}

// The index of the frame whose colour is nearest the picture's centre pixel.
inline int frameIndexOf(const QImage &picture, int count)
{
    const QColor seen = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    int best = -1;
    int bestDistance = 1 << 30;
    for (int i = 0; i < count; ++i) {
        const QColor c = frameColour(i, count);
        const int dr = c.red() - seen.red();
        const int dg = c.green() - seen.green();
        const int db = c.blue() - seen.blue();
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// An animated GIF or WebP (by the name) of `count` frames.
inline void writeAnimation(const QString &path, int count)
{
    std::vector<QImage> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(colourFrame(i, count));
    animation::saveAnimation(frames, 100, path);
}

inline QString ffmpegTool()
{
    return QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
}

// A video of `count` frames at `fps`, encoded by the ffmpeg tool with the given codec
// arguments; false when the tool or the encoder is missing.
inline bool writeVideo(const QString &path, int count, int fps, const QStringList &codec,
                       QSize size = QSize(64, 48))
{
    const QString tool = ffmpegTool();
    if (tool.isEmpty())
        return false;
    const QString pattern = path + QStringLiteral(".f%03d.png");
    for (int i = 0; i < count; ++i)
        colourFrame(i, count, size).save(QString::asprintf(pattern.toUtf8().constData(), i));
    QProcess ffmpeg;
    QStringList args{QStringLiteral("-v"),
                     QStringLiteral("error"),
                     QStringLiteral("-y"),
                     QStringLiteral("-framerate"),
                     QString::number(fps),
                     QStringLiteral("-i"),
                     pattern};
    args << codec << path;
    ffmpeg.start(tool, args);
    const bool made = ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
    for (int i = 0; i < count; ++i)
        QFile::remove(QString::asprintf(pattern.toUtf8().constData(), i));
    return made;
}

} // namespace source_files
