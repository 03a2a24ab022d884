#pragma once

#include "shapes/disc_rule.h"
#include "sheet/disc_sheet.h"
#include "sheet/lamp_sheet.h"
#include "sheet/sheet_choices.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_geometry.h"
#include "sheet/sheet_picture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <variant>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

// The print sheet of any shape: the flat sheet slid sideways, the rotating disc or the lamp,
// behind one set of calls, so that the window, the printer and the command line make each
// the same way.
namespace sheet
{

enum class SheetShape { Straight, Disc, Lamp };

struct ShapeChoices {
    SheetShape shape = SheetShape::Straight;
    // The disc's periods round it.
    int periods = shapes::kDefaultPeriods;
    // The lamp's cylinders, and its strips' height (none: from the canvas's proportions).
    double innerMm = 0;
    double outerMm = 0;
    std::optional<double> heightMm;
};

using ShapeSheet = std::variant<SheetGeometry, DiscSheetGeometry, LampSheetGeometry>;

// Lays the sheet out for the choices, or throws SheetRefused with the reason (what() in
// English, message() in Japanese), as the window shows it before it composes anything. For
// the straight sheet and the lamp `canvasAspect` gives the picture's proportions; the disc
// is round.
ShapeSheet layOutShapeSheet(const SheetChoices &choices, const ShapeChoices &shape, int frameCount,
                            QSize canvasAspect);
// The sheet's page 1 picture at the printer's dots: the frames fitted, prepared as asked and
// composed by the shape's rule; `beforeFrame` is called as composeSheetPicture calls it.
// Throws std::bad_alloc when there is no memory for it.
QImage composeShapeSheetPicture(const std::vector<FramePicture> &frames, const ShapeSheet &sheet,
                                const sources::Preparation &preparation = {},
                                const std::function<void(int)> &beforeFrame = {});
// Both pages onto a paged device (a PDF, a printer), the painter active on it; the device's
// origin is the paper's corner.
void renderShapeSheet(QPainter &painter, QPagedPaintDevice &device, const ShapeSheet &sheet,
                      const QImage &picture);
// One page (1 or 2), the painter in dots from the paper's corner, as a page preview draws it:
// page 1 draws `picture` over the picture's area at whatever size it has.
void renderShapeSheetPage(QPainter &painter, const ShapeSheet &sheet, int page,
                          const QImage &picture);
// The paper in the sheet's dots.
QSizeF shapePaperDots(const ShapeSheet &sheet);
// The sheet as a two-page PDF with the paper's exact size (see writeSheetPdf), `progress`
// told of the last two steps.
void writeShapeSheetPdf(const QString &path, const ShapeSheet &sheet, const QImage &picture,
                        const SheetProgress &progress = {});
// The lattice as one piece to cut (see latticeSvg, discLatticeSvg, lampLatticeSvg). Throws
// SheetRefused for a kerf the slits cannot take.
QByteArray shapeLatticeSvg(const ShapeSheet &sheet, double kerfMm);
void writeShapeLatticeSvg(const QString &path, const ShapeSheet &sheet, double kerfMm);
// The sheet's line of figures, as its footer prints it.
QString shapeFiguresLine(const ShapeSheet &sheet);

// For a window: why the sheet cannot be made as chosen, or nothing when it can.
std::optional<SheetRefused> shapeSheetRefusal(const SheetChoices &choices,
                                              const ShapeChoices &shape, int frameCount,
                                              QSize canvasAspect);
// Lays out, composes and renders both pages in one, onto a preview's or a printer's device at
// any resolution. Throws SheetRefused and std::bad_alloc.
void renderShapeSheet(QPainter &painter, QPagedPaintDevice &device, const SheetChoices &choices,
                      const ShapeChoices &shape, const std::vector<FramePicture> &frames,
                      QSize canvasAspect);
// Prints on a printer already chosen, at the printer's own resolution, as printSheet does
// (print to file writes the PDF whole or not at all; a cancel thrown by `progress` drops the
// job). Throws SheetRefused, std::bad_alloc, and CommandError when the printer refuses the
// document.
void printShapeSheet(QPrinter &printer, SheetChoices choices, const ShapeChoices &shape,
                     const std::vector<FramePicture> &frames, QSize canvasAspect,
                     const sources::Preparation &preparation = {},
                     const SheetProgress &progress = {});

} // namespace sheet
