#include "sheet/shape_sheet_preview.h"

#include "shapes/disc_rule.h"
#include "sheet/sheet_preview.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace sheet
{

namespace
{

QSize scaledSize(QSize dots, double scale)
{
    return QSize(std::max(1, int(std::lround(dots.width() * scale))),
                 std::max(1, int(std::lround(dots.height() * scale))));
}

} // namespace

double shapePreviewScale(const ShapeSheet &sheet, QSize room)
{
    return previewScale(shapePaperDots(sheet), room);
}

QSize shapePreviewPictureSize(const ShapeSheet &sheet, double scale)
{
    if (const auto *disc = std::get_if<DiscSheetGeometry>(&sheet))
        return scaledSize(QSize(disc->diameterDots, disc->diameterDots), scale);
    if (const auto *lamp = std::get_if<LampSheetGeometry>(&sheet))
        return scaledSize(lamp->canvasDots(), scale);
    return previewPictureSize(std::get<SheetGeometry>(sheet), scale);
}

QImage shapePreviewPicture(const std::vector<QImage> &fitted, const ShapeSheet &sheet)
{
    if (fitted.empty() || fitted[0].isNull())
        return QImage();
    if (const auto *disc = std::get_if<DiscSheetGeometry>(&sheet)) {
        QImage picture =
            shapes::ComposeFittedDisc(fitted[0].size(), int(fitted.size()), disc->periods,
                                      [&](int i) { return fitted[size_t(i)]; });
        clearOutsideDisc(picture);
        return picture;
    }
    if (const auto *lamp = std::get_if<LampSheetGeometry>(&sheet))
        return previewPicture(fitted, lamp->lamp.stripDots, lamp->lamp.slitDots);
    return previewPicture(fitted, std::get<SheetGeometry>(sheet));
}

QImage renderShapeSheetPreview(const ShapeSheet &sheet, double scale, const QImage &picture)
{
    return renderPagesPreview(shapePaperDots(sheet), scale, [&](QPainter &painter, int page) {
        renderShapeSheetPage(painter, sheet, page, picture);
    });
}

} // namespace sheet
