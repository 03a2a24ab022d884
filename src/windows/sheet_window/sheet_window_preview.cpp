#include "sheet_window/sheet_window.h"

#include "sheet/shape_sheet_preview.h"
#include "sheet/sheet_geometry.h"

// The page preview is drawn a moment after the last change, so that a spin box held down
// or a window being resized draws once when it comes to rest.
namespace
{
constexpr int kPreviewDelayMs = 40;
// The room kept round the pages inside the preview.
constexpr int kPreviewMargin = 8;
} // namespace

void SheetWindow::schedulePreview()
{
    previewTimer_->setInterval(kPreviewDelayMs);
}

const std::vector<QImage> &SheetWindow::previewFrames(QSize size)
{
    if (size != fittedSize_) {
        fitted_.clear();
        for (const sheet::FramePicture &frame : previewSources_)
            fitted_.push_back(
                sources::PrepareFrame(frame.picture, frame.naturalSize, size, preparation_));
        fittedSize_ = size;
    }
    return fitted_;
}

void SheetWindow::drawPreview()
{
    // Drawn at the screen's own pixels, so that a scaled screen shows the finer bars.
    const qreal ratio = pagePreview->devicePixelRatioF();
    const QSize room =
        (pagePreview->size() - QSize(2 * kPreviewMargin, 2 * kPreviewMargin)) * ratio;
    try {
        const sheet::ShapeSheet g =
            sheet::layOutShapeSheet(choices(), shape_, int(frames_.size()), canvasAspect_);
        const double scale = sheet::shapePreviewScale(g, room);
        if (scale <= 0) {
            pagePreview->showPages(QImage());
            return;
        }
        const QImage picture =
            sheet::shapePreviewPicture(previewFrames(sheet::shapePreviewPictureSize(g, scale)), g);
        QImage pages = sheet::renderShapeSheetPreview(g, scale, picture);
        pages.setDevicePixelRatio(ratio);
        pagePreview->showPages(pages);
    } catch (const sheet::SheetRefused &refused) {
        pagePreview->showMessage(refused.message());
    } catch (const std::bad_alloc &) {
        pagePreview->showPages(QImage());
    }
}
