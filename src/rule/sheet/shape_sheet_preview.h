#pragma once

#include "sheet/shape_sheet.h"

#include <QImage>
#include <QSize>

#include <vector>

// A print sheet of any shape drawn small, as the straight sheet's preview is: the pages drawn
// by the sheet's own page drawing, page 1's picture composed by the shape's rule at the
// preview's own scale, never at the printer's dots.
namespace sheet
{

// Preview pixels per printer dot at which both pages fit `room` side by side.
double shapePreviewScale(const ShapeSheet &sheet, QSize room);
// The canvas the frames are fitted onto for page 1's picture at `scale`.
QSize shapePreviewPictureSize(const ShapeSheet &sheet, double scale);
// Page 1's picture from frames fitted onto that canvas: the straight sheet's and the lamp
// strip's stripes averaged as previewPicture does, the disc composed by the disc rule at the
// preview's pixels (its sectors are angles, alike at any size) and white outside it.
QImage shapePreviewPicture(const std::vector<QImage> &fitted, const ShapeSheet &sheet);
// Both pages, white on nothing, page 1 with `picture` over its picture area.
QImage renderShapeSheetPreview(const ShapeSheet &sheet, double scale, const QImage &picture);

} // namespace sheet
