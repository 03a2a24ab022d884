#include "sheet/sheet_picture.h"

#include "frames/frames_rule.h"

#include <new>
#include <utility>

namespace sheet
{

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
