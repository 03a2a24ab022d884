#include "sheet/sheet_picture.h"

#include "frames/frame_bands.h"
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

QImage composeSheetPicture(const std::vector<FramePicture> &frames, const SheetGeometry &g,
                           const sources::Preparation &preparation,
                           const std::function<void(int)> &beforeFrame)
{
    return frames::ComposeFittedFrames(int(frames.size()), g.slitDots, [&](int i) {
        if (beforeFrame)
            beforeFrame(i);
        const FramePicture &frame = frames[size_t(i)];
        return sources::PrepareFrame(frame.picture, frame.naturalSize, g.canvasDots, preparation);
    });
}

} // namespace sheet
