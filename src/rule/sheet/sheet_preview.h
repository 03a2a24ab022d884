#pragma once

#include "sheet/sheet_geometry.h"
#include "sheet/sheet_picture.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class QPainter;

// A print sheet drawn small, to show on screen: both pages side by side, drawn by the
// same page drawing as the PDF, with page 1's picture composed at the preview's own scale
// so that no picture at the printer's dots is ever made for it.
namespace sheet
{

// The longest side a frame keeps for previews: more than any screen gives a page.
constexpr int kPreviewSourceSide = 1024;
// The frames reduced, once, to what a preview can show, with their sizes in their files.
std::vector<FramePicture> previewSources(const std::vector<FramePicture> &frames);

// Preview pixels per printer dot at which both pages fit `room` side by side.
double previewScale(const SheetGeometry &g, QSize room);
double previewScale(QSizeF paperDots, QSize room);
// Where page 1 or 2 lies in the preview image at `scale`, in its pixels.
QRect previewPageRect(const SheetGeometry &g, double scale, int page);
QRect previewPageRect(QSizeF paperDots, double scale, int page);
// The size of page 1's picture at `scale`: the frames are fitted onto a canvas this size.
QSize previewPictureSize(const SheetGeometry &g, double scale);

// Page 1's picture at the preview's scale from frames fitted onto a canvas of one size:
// each pixel the mean of the dots of the composed picture it covers, so stripes far finer
// than a pixel show as the print looks from a step away, and wider ones as stripes.
QImage previewPicture(const std::vector<QImage> &fitted, const SheetGeometry &g);
// The same for any straight stripes: `dotsAcross` dots composed with a slit of `slitDots`.
QImage previewPicture(const std::vector<QImage> &fitted, int dotsAcross, int slitDots);

// Both pages, white on nothing, page 1 with `picture` over its picture area.
QImage renderSheetPreview(const SheetGeometry &g, double scale, const QImage &picture);
// Both pages of a paper of `paperDots`, white on nothing, each drawn by `drawPage` with the
// painter in the sheet's dots.
QImage renderPagesPreview(QSizeF paperDots, double scale,
                          const std::function<void(QPainter &, int page)> &drawPage);

} // namespace sheet
