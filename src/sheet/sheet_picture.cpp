#include "sheet/sheet_picture.h"

#include "frames/frames_rule.h"

#include <new>

namespace sheet
{

QImage composeSheetPicture(const std::vector<FramePicture> &frames, const SheetGeometry &g)
{
    QImage composed(g.canvasDots, QImage::Format_RGB32);
    if (composed.isNull())
        throw std::bad_alloc();
    const int count = int(frames.size());
    for (int i = 0; i < count; ++i) {
        const FramePicture &frame = frames[size_t(i)];
        const QImage fitted = frames::FitFrame(frame.picture, frame.naturalSize, g.canvasDots);
        if (fitted.isNull())
            throw std::bad_alloc();
        frames::ComposeFrameInto(composed, fitted, i, count, g.slitDots);
    }
    return composed;
}

} // namespace sheet
