#include "sheet/sheet_files.h"

#include "platform/atomic_file.h"
#include "platform/command_error.h"
#include "sheet/printer_resolution.h"
#include "sheet/sheet_render.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

namespace sheet
{

namespace
{

// Opens `path` for an atomic write, lets `write` fill it, and commits it.
template <typename Write> void writeAtomically(const QString &path, Write &&write)
{
    const std::string name = path.toStdString();
    if (path.isEmpty())
        throw FileNotWritten(name, "no file name");
    AtomicFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileNotWritten(name, file.errorString().toStdString());
    if (!write(file)) {
        const QString reason =
            file.failed() ? file.errorString() : QStringLiteral("the document could not be drawn");
        file.cancelWriting();
        throw FileNotWritten(name, reason.toStdString());
    }
    if (!file.commit())
        throw FileNotWritten(name, file.errorString().toStdString());
}

// A PDF whose page is the whole sheet at `dpi`, so one device unit is one printer dot.
void setUpPdf(QPdfWriter &writer, Paper paper, bool landscape, int dpi, const QString &title)
{
    writer.setCreator(QStringLiteral("Lintaro"));
    writer.setTitle(title);
    writer.setResolution(dpi);
    writer.setPageLayout(QPageLayout(pageSizeOf(paper),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF()));
}

// "Print to file": the file is written like a saved sheet, whole or not at all, so that a
// failure (a full disk) is told instead of leaving an empty or cut-off file.
bool printsToFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

} // namespace

void writeSheetPdf(const QString &path, const SheetGeometry &g, const QImage &composed)
{
    writeAtomically(path, [&](QIODevice &file) {
        QPdfWriter writer(&file);
        setUpPdf(writer, g.paper, g.landscape, g.dpi, QStringLiteral("Lintaro 印刷用シート"));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        renderSheet(painter, writer, g, composed);
        return painter.end();
    });
}

void writeCalibrationPdf(const QString &path, const SheetChoices &choices)
{
    writeAtomically(path, [&](QIODevice &file) {
        QPdfWriter writer(&file);
        setUpPdf(writer, choices.paper, choices.landscape, choices.dpi,
                 QStringLiteral("Lintaro 調整用シート"));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        renderCalibration(painter, choices);
        return painter.end();
    });
}

void writeLatticeSvg(const QString &path, const SheetGeometry &g, double kerfMm)
{
    if (!(kerfMm >= 0) || kerfMm >= g.slitMm())
        throw SheetRefused(
            "the kerf must be at least 0 and narrower than the slit (" +
                mmText(g.slitMm()).toStdString() + " mm)",
            QStringLiteral("切り幅は 0 以上、スリット（%1 mm）より狭くしてください。")
                .arg(mmText(g.slitMm())));
    const QRect lattice = g.latticeDots();
    const double widthMm = dotsToMm(lattice.width(), g.dpi);
    const double heightMm = dotsToMm(lattice.height(), g.dpi);
    writeAtomically(path, [&](QIODevice &file) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setTitle(QStringLiteral("Lintaro 格子"));
        svg.setDescription(figuresLine(g));
        // width and height come out as size / resolution in millimetres: in dots at the
        // sheet's resolution they are exact. The drawing itself is in millimetres.
        svg.setResolution(g.dpi);
        svg.setSize(lattice.size());
        svg.setViewBox(QRectF(0, 0, widthMm, heightMm));
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        const double half = kerfMm / 2;
        for (const auto &[start, end] : latticeBars(g)) {
            // The sheet's edges stay where they are: only edges that face a slit move.
            const double left = start == 0 ? 0 : dotsToMm(start, g.dpi) - half;
            const double right = end == lattice.width() ? widthMm : dotsToMm(end, g.dpi) + half;
            painter.fillRect(QRectF(left, 0, right - left, heightMm), Qt::black);
        }
        return painter.end();
    });
}

void setUpPrinter(QPrinter &printer, const SheetChoices &choices)
{
    printer.setFullPage(true);
    printer.setPageSize(pageSizeOf(choices.paper));
    printer.setPageOrientation(choices.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF());
}

void printSheet(QPrinter &printer, SheetChoices choices, const std::vector<FramePicture> &frames,
                QSize canvasAspect)
{
    setUpPrinter(printer, choices);
    choices.dpi = sheetResolution(printer);
    const SheetGeometry g = layOutSheet(choices, int(frames.size()), canvasAspect);
    const QImage composed = composeSheetPicture(frames, g);
    if (printsToFile(printer)) {
        writeSheetPdf(printer.outputFileName(), g, composed);
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw CommandError("printer refused the document");
    renderSheet(painter, printer, g, composed);
    if (!painter.end())
        throw CommandError("printing failed");
}

void printCalibration(QPrinter &printer, SheetChoices choices)
{
    setUpPrinter(printer, choices);
    choices.dpi = sheetResolution(printer);
    if (printsToFile(printer)) {
        writeCalibrationPdf(printer.outputFileName(), choices);
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw CommandError("printer refused the document");
    renderCalibration(painter, choices);
    if (!painter.end())
        throw CommandError("printing failed");
}

} // namespace sheet
