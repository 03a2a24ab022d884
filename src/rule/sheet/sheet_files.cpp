#include "sheet/sheet_files.h"

#include "platform/atomic_file.h"
#include "platform/command_error.h"
#include "platform/temporary_names.h"
#include "sheet/pdf_update.h"
#include "sheet/printer_resolution.h"
#include "sheet/sheet_render.h"
#include "sheet/sheet_svg.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>

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

// A PDF whose page is the whole sheet at `dpi`, so one device unit is one printer dot,
// drawn by `draw`. QPdfWriter writes a scratch file beside the sheet; qpdf writes it into
// `file` amended with the exact paper and the request not to scale.
template <typename Draw>
bool writePdf(QIODevice &file, const QString &path, const QPageSize &pageSize, bool landscape,
              QSizeF paperMm, int dpi, const QString &title, Draw &&draw,
              const std::function<void()> &drawn = {}, const StreamedPicture *picture = nullptr)
{
    // The scratch file is named for removal should a signal end the program while it
    // exists; the name is forgotten only once the file is gone.
    struct Remembered {
        int slot = -1;
        ~Remembered()
        {
            if (slot >= 0)
                temporary_names::forget(slot);
        }
    } remembered;
    QTemporaryFile scratch(QFileInfo(path).absoluteDir().filePath(
        QStringLiteral(".%1.XXXXXX").arg(QFileInfo(path).fileName())));
    {
        const temporary_names::SignalsHeld held;
        if (!scratch.open())
            throw FileNotWritten(path.toStdString(), scratch.errorString().toStdString());
        remembered.slot = temporary_names::remember(QFile::encodeName(scratch.fileName()));
    }
    {
        QPdfWriter writer(&scratch);
        writer.setCreator(QStringLiteral("Lintaro"));
        writer.setTitle(title);
        writer.setResolution(dpi);
        const QPageLayout layout(
            pageSize, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        draw(painter, writer);
        if (!painter.end())
            return false;
    }
    if (drawn)
        drawn();
    constexpr double kPointsPerMm = 72 / 25.4;
    const QSizeF points = paperMm * kPointsPerMm;
    return scratch.flush() && (picture ? amendPdf(scratch.fileName(), file, points, *picture)
                                       : amendPdf(scratch.fileName(), file, points));
}

// "Print to file": the file is written like a saved sheet, whole or not at all, so that a
// failure (a full disk) is told instead of leaving an empty or cut-off file.
bool printsToFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

} // namespace

void writeSheetPdf(const QString &path, const SheetGeometry &g, const RowSource &composed,
                   const SheetProgress &progress)
{
    const auto tell = [&](int done) {
        if (progress)
            progress(done);
    };
    tell(g.frameCount);
    // The page is drawn around a stand-in image, which qpdf then replaces with the picture
    // written a band at a time.
    const StreamedPicture picture{g.canvasDots, composed};
    writeAtomically(path, [&](QIODevice &file) {
        const bool written = writePdf(
            file, path, g.pageSize, g.landscape, g.paperMm, g.dpi, sheetTitle(g.language),
            [&](QPainter &painter, QPdfWriter &writer) {
                renderSheet(painter, writer, g, picturePlaceholder());
            },
            [&] { tell(g.frameCount + 1); }, &picture);
        // The last moment to stop: nothing is in place yet.
        tell(g.frameCount + 2);
        return written;
    });
}

void writeSheetPdf(const QString &path, const SheetGeometry &g, const QImage &composed,
                   const SheetProgress &progress)
{
    writeSheetPdf(path, g, rowsOf(composed), progress);
}

void writeDrawnPdf(const QString &path, const QPageSize &pageSize, bool landscape, QSizeF paperMm,
                   int dpi, const QString &title,
                   const std::function<void(QPainter &, QPagedPaintDevice &)> &draw, int frameCount,
                   const SheetProgress &progress)
{
    const auto tell = [&](int done) {
        if (progress)
            progress(done);
    };
    tell(frameCount);
    writeAtomically(path, [&](QIODevice &file) {
        const bool written = writePdf(
            file, path, pageSize, landscape, paperMm, dpi, title,
            [&](QPainter &painter, QPdfWriter &writer) { draw(painter, writer); },
            [&] { tell(frameCount + 1); });
        // The last moment to stop: nothing is in place yet.
        tell(frameCount + 2);
        return written;
    });
}

void writeCalibrationPdf(const QString &path, const SheetChoices &choices)
{
    checkCalibration(choices);
    writeAtomically(path, [&](QIODevice &file) {
        return writePdf(
            file, path, pageSizeOf(choices), choices.landscape, paperMm(choices), choices.dpi,
            calibrationTitle(choices.language),
            [&](QPainter &painter, QPdfWriter &) { renderCalibration(painter, choices); });
    });
}

void writeLatticeSvg(const QString &path, const SheetGeometry &g, double kerfMm)
{
    writeSvgFile(path, latticeSvg(g, kerfMm));
}

void writeSvgFile(const QString &path, const QByteArray &svg)
{
    writeAtomically(path, [&](QIODevice &file) { return file.write(svg) == svg.size(); });
}

void setUpPrinter(QPrinter &printer, const SheetChoices &choices)
{
    printer.setFullPage(true);
    printer.setPageSize(pageSizeOf(choices));
    printer.setPageOrientation(choices.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF());
}

void printSheet(QPrinter &printer, SheetChoices choices, const std::vector<FramePicture> &frames,
                QSize canvasAspect, const sources::Preparation &preparation,
                const SheetProgress &progress)
{
    setUpPrinter(printer, choices);
    choices.dpi = sheetResolution(printer);
    const SheetGeometry g = layOutSheet(choices, int(frames.size()), canvasAspect);
    const QImage composed = composeSheetPicture(frames, g, preparation, progress);
    if (printsToFile(printer)) {
        writeSheetPdf(printer.outputFileName(), g, composed, progress);
        return;
    }
    const auto tell = [&](int done) {
        if (progress)
            progress(done);
    };
    tell(g.frameCount);
    QPainter painter;
    if (!painter.begin(&printer))
        throw CommandError("printer refused the document");
    renderSheet(painter, printer, g, composed);
    try {
        tell(g.frameCount + 1);
        tell(g.frameCount + 2);
    } catch (...) {
        // Stopped before the job was handed over: the printer gets nothing.
        printer.abort();
        throw;
    }
    if (!painter.end())
        throw CommandError("printing failed");
}

void printCalibration(QPrinter &printer, SheetChoices choices)
{
    setUpPrinter(printer, choices);
    choices.dpi = sheetResolution(printer);
    checkCalibration(choices);
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
