#include "sheet/shape_sheet.h"

#include "platform/command_error.h"
#include "sheet/printer_resolution.h"
#include "sheet/shape_svg.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_render.h"
#include "sheet/sheet_svg.h"
#include "sheet/sheet_texts.h"

#include <QPainter>
#include <QPrinter>

namespace sheet
{

namespace
{

template <typename... Visitors> struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
// Spelt out for compilers without class template argument deduction for aggregates.
template <typename... Visitors> Overloaded(Visitors...) -> Overloaded<Visitors...>;

struct PaperOf {
    QPageSize pageSize;
    bool landscape;
    QSizeF paperMm;
    int dpi;
    Language language;
    int frameCount;
};

PaperOf paperOf(const ShapeSheet &sheet)
{
    return std::visit(
        [](const auto &g) {
            return PaperOf{g.pageSize, g.landscape, g.paperMm, g.dpi, g.language, g.frameCount};
        },
        sheet);
}

} // namespace

ShapeSheet layOutShapeSheet(const SheetChoices &choices, const ShapeChoices &shape, int frameCount,
                            QSize canvasAspect)
{
    switch (shape.shape) {
    case SheetShape::Disc:
        return layOutDiscSheet(choices, frameCount, shape.periods);
    case SheetShape::Lamp:
        return layOutLampSheet(choices, frameCount, shape.innerMm, shape.outerMm, shape.heightMm,
                               canvasAspect);
    case SheetShape::Straight:
        break;
    }
    return layOutSheet(choices, frameCount, canvasAspect);
}

QImage composeShapeSheetPicture(const std::vector<FramePicture> &frames, const ShapeSheet &sheet,
                                const sources::Preparation &preparation,
                                const std::function<void(int)> &beforeFrame)
{
    return std::visit(
        Overloaded{[&](const SheetGeometry &g) {
                       return composeSheetPicture(frames, g, preparation, beforeFrame);
                   },
                   [&](const DiscSheetGeometry &g) {
                       return composeDiscSheetPicture(frames, g, preparation, beforeFrame);
                   },
                   [&](const LampSheetGeometry &g) {
                       return composeLampSheetPicture(frames, g, preparation, beforeFrame);
                   }},
        sheet);
}

void renderShapeSheet(QPainter &painter, QPagedPaintDevice &device, const ShapeSheet &sheet,
                      const QImage &picture)
{
    std::visit(
        Overloaded{
            [&](const SheetGeometry &g) { renderSheet(painter, device, g, picture); },
            [&](const DiscSheetGeometry &g) { renderDiscSheet(painter, device, g, picture); },
            [&](const LampSheetGeometry &g) { renderLampSheet(painter, device, g, picture); }},
        sheet);
}

void renderShapeSheetPage(QPainter &painter, const ShapeSheet &sheet, int page,
                          const QImage &picture)
{
    std::visit(
        Overloaded{
            [&](const SheetGeometry &g) { renderSheetPage(painter, g, page, picture); },
            [&](const DiscSheetGeometry &g) { renderDiscSheetPage(painter, g, page, picture); },
            [&](const LampSheetGeometry &g) { renderLampSheetPage(painter, g, page, picture); }},
        sheet);
}

QSizeF shapePaperDots(const ShapeSheet &sheet)
{
    const PaperOf paper = paperOf(sheet);
    return paper.paperMm * dotsPerMm(paper.dpi);
}

void writeShapeSheetPdf(const QString &path, const ShapeSheet &sheet, const QImage &picture,
                        const SheetProgress &progress)
{
    if (const auto *g = std::get_if<SheetGeometry>(&sheet)) {
        writeSheetPdf(path, *g, picture, progress);
        return;
    }
    const PaperOf paper = paperOf(sheet);
    writeDrawnPdf(
        path, paper.pageSize, paper.landscape, paper.paperMm, paper.dpi, sheetTitle(paper.language),
        [&](QPainter &painter, QPagedPaintDevice &device) {
            renderShapeSheet(painter, device, sheet, picture);
        },
        paper.frameCount, progress);
}

QByteArray shapeLatticeSvg(const ShapeSheet &sheet, double kerfMm)
{
    return std::visit(
        Overloaded{[&](const SheetGeometry &g) { return latticeSvg(g, kerfMm); },
                   [&](const DiscSheetGeometry &g) { return discLatticeSvg(g, kerfMm); },
                   [&](const LampSheetGeometry &g) { return lampLatticeSvg(g, kerfMm); }},
        sheet);
}

void writeShapeLatticeSvg(const QString &path, const ShapeSheet &sheet, double kerfMm)
{
    writeSvgFile(path, shapeLatticeSvg(sheet, kerfMm));
}

QString shapeFiguresLine(const ShapeSheet &sheet)
{
    return std::visit(Overloaded{[](const SheetGeometry &g) { return figuresLine(g); },
                                 [](const DiscSheetGeometry &g) {
                                     return discFiguresLine(g.language, g.frameCount, g.periods,
                                                            g.slitDegrees(), g.diameterMm(), g.dpi);
                                 },
                                 [](const LampSheetGeometry &g) {
                                     return lampFiguresLine(
                                         g.language, g.frameCount, g.lamp.periods,
                                         dotsToMm(g.lamp.slitDots, g.dpi), g.lamp.innerDiameterMm,
                                         g.askedInnerMm, g.outerMm, g.dpi);
                                 }},
                      sheet);
}

std::optional<SheetRefused> shapeSheetRefusal(const SheetChoices &choices,
                                              const ShapeChoices &shape, int frameCount,
                                              QSize canvasAspect)
{
    try {
        layOutShapeSheet(choices, shape, frameCount, canvasAspect);
    } catch (const SheetRefused &refused) {
        return refused;
    }
    return std::nullopt;
}

void renderShapeSheet(QPainter &painter, QPagedPaintDevice &device, const SheetChoices &choices,
                      const ShapeChoices &shape, const std::vector<FramePicture> &frames,
                      QSize canvasAspect)
{
    const ShapeSheet sheet = layOutShapeSheet(choices, shape, int(frames.size()), canvasAspect);
    renderShapeSheet(painter, device, sheet, composeShapeSheetPicture(frames, sheet));
}

void printShapeSheet(QPrinter &printer, SheetChoices choices, const ShapeChoices &shape,
                     const std::vector<FramePicture> &frames, QSize canvasAspect,
                     const sources::Preparation &preparation, const SheetProgress &progress)
{
    setUpPrinter(printer, choices);
    choices.dpi = sheetResolution(printer);
    const ShapeSheet sheet = layOutShapeSheet(choices, shape, int(frames.size()), canvasAspect);
    const QImage picture = composeShapeSheetPicture(frames, sheet, preparation, progress);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        writeShapeSheetPdf(printer.outputFileName(), sheet, picture, progress);
        return;
    }
    const auto tell = [&](int done) {
        if (progress)
            progress(done);
    };
    const int frameCount = int(frames.size());
    tell(frameCount);
    QPainter painter;
    if (!painter.begin(&printer))
        throw CommandError("printer refused the document");
    renderShapeSheet(painter, printer, sheet, picture);
    try {
        tell(frameCount + 1);
        tell(frameCount + 2);
    } catch (...) {
        // Stopped before the job was handed over: the printer gets nothing.
        printer.abort();
        throw;
    }
    if (!painter.end())
        throw CommandError("printing failed");
}

} // namespace sheet
