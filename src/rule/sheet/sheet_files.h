#pragma once

#include "platform/picture_rows.h"
#include "sheet/sheet_choices.h"
#include "sheet/sheet_geometry.h"
#include "sheet/sheet_picture.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

// Print sheets as files and on the printer. Files are written completely before they
// replace an existing one; a failure throws FileNotWritten with the system's reason and
// leaves the old file as it was.
namespace sheet
{

// Told how many of sheetSteps() of a sheet's long steps are done: one for each frame
// composed, the drawing and the writing. What it throws (a cancel) ends the work there;
// no file is then left, and a printer's job is dropped.
using SheetProgress = std::function<void(int done)>;
inline int sheetSteps(int frameCount)
{
    return frameCount + 2;
}

// The two-page sheet as a PDF at the sheet's resolution. Both PDFs have the paper's exact
// size and ask viewers and print dialogs not to scale them. `progress` is told of the last
// two steps.
void writeSheetPdf(const QString &path, const SheetGeometry &g, const QImage &composed,
                   const SheetProgress &progress = {});
// The same with the composed picture (canvasDots in size) made a band of rows at a time and
// written into the PDF as it comes, never held whole.
void writeSheetPdf(const QString &path, const SheetGeometry &g, const RowSource &composed,
                   const SheetProgress &progress = {});
// Any sheet's pages as a PDF like writeSheetPdf's: `draw` paints them onto a whole-page
// device at `dpi` with the painter active on it. `progress` is told of the last two steps
// of a sheet of `frameCount` frames.
void writeDrawnPdf(const QString &path, const QPageSize &pageSize, bool landscape, QSizeF paperMm,
                   int dpi, const QString &title,
                   const std::function<void(QPainter &, QPagedPaintDevice &)> &draw,
                   int frameCount = 0, const SheetProgress &progress = {});
// The calibration page as a one-page PDF. Throws SheetRefused for a paper too small for it.
void writeCalibrationPdf(const QString &path, const SheetChoices &choices);

// The lattice alone as SVG in millimetres, for laser cutters and plotters (see latticeSvg).
// Throws SheetRefused for a kerf below 0 or not narrower than the slit.
void writeLatticeSvg(const QString &path, const SheetGeometry &g, double kerfMm = 0);
// An SVG already made, written atomically like the rest.
void writeSvgFile(const QString &path, const QByteArray &svg);

// Sets a printer up for the choices: paper, orientation, the whole sheet as the page.
void setUpPrinter(QPrinter &printer, const SheetChoices &choices);
// Prints the sheet on a printer already chosen, at the printer's own resolution (see
// sheetResolution): the choices' dpi is replaced by it. Throws SheetRefused when the picture does
// not fit, CommandError when the printer refuses the document.
void printSheet(QPrinter &printer, SheetChoices choices, const std::vector<FramePicture> &frames,
                QSize canvasAspect, const sources::Preparation &preparation = {},
                const SheetProgress &progress = {});
void printCalibration(QPrinter &printer, SheetChoices choices);

} // namespace sheet
