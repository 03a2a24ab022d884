#include "cli/frame_files.h"

#include "cli/cli_errors.h"
#include "cli/progress.h"
#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/picture_file.h"

#include <QFile>
#include <QFileInfo>

#include <future>
#include <new>
#include <system_error>
#include <utility>

namespace cli
{

namespace
{

// The system's reason comes first: a missing file, a folder, a device or a file without
// permission is named as such before the decoder is asked.
DecodedPicture decodeFrame(const QString &path, QSize canvas)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw InputNotRead(path, QStringLiteral("No such file or directory"));
    if (!info.isFile())
        throw InputNotRead(path, QStringLiteral("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw InputNotRead(path, file.errorString());
    file.close();
    try {
        return loadPictureFor(path, canvas, WhenDamaged::Refuse);
    } catch (const PictureDamaged &e) {
        throw InputNotRead(path, QStringLiteral("damaged: %1").arg(e.reason()));
    } catch (const CommandError &e) {
        throw InputNotRead(path, QString::fromStdString(e.what()));
    }
}

// The frame's decoding, started on a thread of its own where one can be had, so that the
// next frame decodes on the second core while this one is fitted and composed; where no
// thread can start it decodes when asked for.
std::future<DecodedPicture> startDecoding(const QString &path, QSize canvas)
{
    try {
        return std::async(std::launch::async, decodeFrame, path, canvas);
    } catch (const std::system_error &) {
        return std::async(std::launch::deferred, decodeFrame, path, canvas);
    }
}

} // namespace

QImage composeFrameFiles(const FrameSet &set, Progress &progress)
{
    const int count = int(set.paths.size());
    std::future<DecodedPicture> next = startDecoding(set.paths[0], set.canvas);
    const QImage composed = frames::ComposeFittedFrames(count, set.slit, [&](int i) {
        progress.step(
            QStringLiteral("loading frame %1 of %2: %3").arg(i + 1).arg(count).arg(set.paths[i]));
        const DecodedPicture decoded = next.get();
        if (i + 1 < count)
            next = startDecoding(set.paths[i + 1], set.canvas);
        QImage fitted = frames::FitFrame(decoded.picture, decoded.naturalSize, set.canvas);
        progress.step(QStringLiteral("composing frame %1 of %2").arg(i + 1).arg(count));
        return fitted;
    });
    return composed;
}

std::optional<QImage> composeFrameFilesOrTell(const FrameSet &set, Progress &progress)
{
    try {
        return composeFrameFiles(set, progress);
    } catch (const InputNotRead &e) {
        progress.report(QStringLiteral("cannot read %1: %2").arg(e.path(), e.reason()));
    } catch (const std::bad_alloc &) {
        progress.report(QStringLiteral("not enough memory for a %1 x %2 canvas")
                            .arg(set.canvas.width())
                            .arg(set.canvas.height()));
    }
    progress.report(QStringLiteral("nothing was written"));
    return std::nullopt;
}

} // namespace cli
