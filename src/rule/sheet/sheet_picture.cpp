#include "sheet/sheet_picture.h"

#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/picture_file.h"

#include <new>
#include <utility>

namespace sheet
{

FramePicture sheetFrameFrom(const QString &path, const QImage &atHand, QSize naturalSize)
{
    FramePicture frame{atHand, naturalSize};
    if (!path.isEmpty())
        runSilently([&] {
            const DecodedPicture decoded = loadPictureFor(path, kLargestCanvas);
            frame = {decoded.picture, decoded.naturalSize};
        });
    return frame;
}

QImage composeSheetPicture(const std::vector<FramePicture> &frames, const SheetGeometry &g)
{
    // The first frame's canvas becomes the composed picture: its own columns are already in
    // place, and every other column is overwritten by the frame it belongs to.
    QImage composed;
    const int count = int(frames.size());
    for (int i = 0; i < count; ++i) {
        const FramePicture &frame = frames[size_t(i)];
        QImage fitted = frames::FitFrame(frame.picture, frame.naturalSize, g.canvasDots);
        if (fitted.isNull())
            throw std::bad_alloc();
        if (i == 0)
            composed = std::move(fitted);
        else
            frames::ComposeFrameInto(composed, fitted, i, count, g.slitDots);
    }
    return composed;
}

} // namespace sheet
