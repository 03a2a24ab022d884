#include "export/animation_file.h"

#include "export/gif_encoding.h"
#include "export/webp_encoding.h"
#include "platform/atomic_file.h"
#include "platform/command_error.h"
#include "sources/frame_source.h"

#include <exception>
#include <new>

namespace animation
{

std::optional<Format> FormatFor(const QString &path)
{
    if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive))
        return Format::Gif;
    if (path.endsWith(QLatin1String(".webp"), Qt::CaseInsensitive))
        return Format::WebP;
    return std::nullopt;
}

void saveAnimation(int count, const FrameSource &frameAt, int delayMs, const QString &path)
{
    const std::string name = path.toStdString();
    const std::optional<Format> format = FormatFor(path);
    if (!format)
        throw FileNotWritten(name, "the name must end in .gif or .webp");
    if (count < 1 || delayMs < 1)
        throw FileNotWritten(name, "nothing to save");
    AtomicFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileNotWritten(name, file.errorString().toStdString());
    // Until commit() the old file stays as it was; a failure leaves no partial file.
    try {
        if (*format == Format::Gif)
            writeGif(count, frameAt, delayMs, file);
        else
            writeWebP(count, frameAt, delayMs, file);
    } catch (const sources::Cancelled &) {
        file.cancelWriting();
        throw;
    } catch (const std::bad_alloc &) {
        file.cancelWriting();
        throw FileNotWritten(name, "not enough memory");
    } catch (const std::exception &e) {
        const std::string reason = file.failed()
                                       ? file.errorString().toStdString()
                                       : std::string(e.what());
        file.cancelWriting();
        throw FileNotWritten(name, reason);
    }
    if (!file.commit())
        throw FileNotWritten(name, file.errorString().toStdString());
}

void saveAnimation(const std::vector<QImage> &frames, int delayMs, const QString &path)
{
    saveAnimation(
        int(frames.size()), [&](int index) { return frames[size_t(index)]; }, delayMs, path);
}

} // namespace animation
