#include "cli/sheet_command.h"

#include "cli/cli_errors.h"
#include "cli/frame_files.h"
#include "cli/frame_options.h"
#include "cli/output_plan.h"
#include "cli/progress.h"
#include "cli/shape_options.h"
#include "shapes/shape_rule.h"
#include "sheet/shape_sheet.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_render.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <optional>

namespace cli
{

namespace
{

void addSheetOptions(QCommandLineParser &parser)
{
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("The sheet (.pdf): page 1 the picture, page 2 the lattice; "
                                     "required."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("paper"),
                      QStringLiteral("a4, a3, a2, a1, a0, b5 or b4 (JIS, 182 x 257 and 257 x "
                                     "364 mm), letter, or WxH in mm, 50..2000 each (default "
                                     "a4)."),
                      QStringLiteral("PAPER"), QStringLiteral("a4")});
    parser.addOption({QStringLiteral("landscape"), QStringLiteral("The paper turned sideways.")});
    parser.addOption({QStringLiteral("slit-mm"),
                      QStringLiteral("Slit width, 0.2..3.0 mm (default 1.0), made whole printer "
                                     "dots."),
                      QStringLiteral("MM"), QStringLiteral("1.0")});
    parser.addOption({QStringLiteral("dpi"),
                      QStringLiteral("Printer resolution: 300, 360, 600, 720 or 1200 (default "
                                     "600)."),
                      QStringLiteral("N"), QStringLiteral("600")});
    parser.addOption({QStringLiteral("width-mm"),
                      QStringLiteral("Picture width on paper (default: the largest that fits "
                                     "inside 10 mm margins)."),
                      QStringLiteral("MM")});
    parser.addOption({{QStringLiteral("s"), QStringLiteral("size")},
                      QStringLiteral("The canvas the frames are fitted onto, for its proportions "
                                     "(default 640x480)."),
                      QStringLiteral("WxH"),
                      QStringLiteral("640x480")});
    parser.addOption({QStringLiteral("svg"),
                      QStringLiteral("The lattice alone as SVG in millimetres."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("kerf-mm"),
                      QStringLiteral("Narrows every cut slit of the SVG by the cutter's kerf."),
                      QStringLiteral("MM")});
    addShapeOptions(parser,
                    QStringLiteral("straight (default), disc or lamp. disc: page 1 the picture "
                                   "disc, page 2 the lattice disc of --periods wedges, "
                                   "--width-mm its diameter. lamp: page 1 the picture strip for "
                                   "the --inner-mm cylinder, page 2 the lattice strip for the "
                                   "--outer-mm one, each with a 10 mm glue tab."));
    parser.addOption({QStringLiteral("height-mm"),
                      QStringLiteral("Lamp: the strips' height (default: from the proportions of "
                                     "--size)."),
                      QStringLiteral("MM")});
    parser.addOption({QStringLiteral("calibration"),
                      QStringLiteral("The calibration page instead: slits 0.3..3.0 mm, rulers "
                                     "and lines on each printer grid.")});
    addSourceOptions(parser);
}

double readMillimetres(const QCommandLineParser &parser, const QString &option)
{
    const QString text = parser.value(option);
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw UsageError(QStringLiteral("--%1 takes millimetres, not \"%2\"").arg(option, text));
    return value;
}

// The named papers, and a size of one's own in millimetres ("300x200", "300.5x200").
void readPaper(const QString &text, sheet::SheetChoices &c)
{
    static const std::pair<const char *, sheet::Paper> kNamed[] = {
        {"a4", sheet::Paper::A4},    {"a3", sheet::Paper::A3},        {"a2", sheet::Paper::A2},
        {"a1", sheet::Paper::A1},    {"a0", sheet::Paper::A0},        {"b5", sheet::Paper::JisB5},
        {"b4", sheet::Paper::JisB4}, {"letter", sheet::Paper::Letter}};
    const QString name = text.toLower();
    for (const auto &[named, paper] : kNamed)
        if (name == QLatin1String(named)) {
            c.paper = paper;
            return;
        }
    static const QRegularExpression custom(
        QStringLiteral(R"(^(\d{1,4}(?:\.\d+)?)[xX](\d{1,4}(?:\.\d+)?)$)"));
    const QRegularExpressionMatch match = custom.match(text);
    const QSizeF size = match.hasMatch()
                            ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QSizeF();
    const auto inRange = [](double mm) {
        return mm >= sheet::kMinCustomMm && mm <= sheet::kMaxCustomMm;
    };
    if (!match.hasMatch() || !inRange(size.width()) || !inRange(size.height()))
        throw UsageError(QStringLiteral("--paper takes a4, a3, a2, a1, a0, b5, b4, letter or "
                                        "WxH in mm, 50 to 2000 each, not \"%1\"")
                             .arg(text));
    c.paper = sheet::Paper::Custom;
    c.customMm = size;
}

// The sheet speaks the user's language where it is Japanese, English elsewhere.
sheet::Language localeLanguage()
{
    return QLocale::system().language() == QLocale::Japanese ? sheet::Language::Japanese
                                                             : sheet::Language::English;
}

struct SheetJob {
    sheet::SheetChoices choices;
    QString output;
    QString svg;
    double kerfMm = 0;
    bool calibration = false;
    FrameSet set;
    sheet::ShapeChoices shape;
};

sheet::SheetShape sheetShapeOf(Shape shape)
{
    switch (shape) {
    case Shape::Disc:
        return sheet::SheetShape::Disc;
    case Shape::Lamp:
        return sheet::SheetShape::Lamp;
    case Shape::Straight:
        break;
    }
    return sheet::SheetShape::Straight;
}

// The shape and its measures; a lamp's strips take their length from the cylinders, so
// --width-mm is the straight picture's width or the disc's diameter only.
sheet::ShapeChoices readSheetShape(const QCommandLineParser &parser, bool widthGiven)
{
    const ShapeChoice choice = readShapeChoice(parser, {Shape::Straight, Shape::Disc, Shape::Lamp});
    sheet::ShapeChoices shape{sheetShapeOf(choice.shape), choice.periods, choice.innerMm,
                              choice.outerMm, std::nullopt};
    const bool lamp = shape.shape == sheet::SheetShape::Lamp;
    if (shape.shape == sheet::SheetShape::Disc && parser.isSet(QStringLiteral("slit-mm")))
        throw UsageError(QStringLiteral("--slit-mm does not apply to --shape disc: its slits are "
                                        "360 / (P N) degrees, P from --periods"));
    if (lamp && widthGiven)
        throw UsageError(QStringLiteral("--width-mm does not apply to --shape lamp: the strips' "
                                        "lengths follow from --inner-mm and --outer-mm"));
    if (parser.isSet(QStringLiteral("height-mm"))) {
        if (!lamp)
            throw UsageError(QStringLiteral("--height-mm applies to --shape lamp only"));
        shape.heightMm = readMillimetres(parser, QStringLiteral("height-mm"));
    }
    return shape;
}

SheetJob readSheetJob(const QCommandLineParser &parser)
{
    SheetJob job;
    sheet::SheetChoices &c = job.choices;
    readPaper(parser.value(QStringLiteral("paper")), c);
    c.language = localeLanguage();
    c.landscape = parser.isSet(QStringLiteral("landscape"));
    c.slitMm = readMillimetres(parser, QStringLiteral("slit-mm"));
    if (c.slitMm < sheet::kMinSlitMm || c.slitMm > sheet::kMaxSlitMm)
        throw UsageError(QStringLiteral("--slit-mm takes 0.2 to 3.0 mm, not \"%1\"")
                             .arg(parser.value(QStringLiteral("slit-mm"))));
    c.dpi = parser.value(QStringLiteral("dpi")).toInt();
    if (std::find(std::begin(sheet::kDpiChoices), std::end(sheet::kDpiChoices), c.dpi) ==
        std::end(sheet::kDpiChoices))
        throw UsageError(QStringLiteral("--dpi takes 300, 360, 600, 720 or 1200, not \"%1\"")
                             .arg(parser.value(QStringLiteral("dpi"))));
    if (parser.isSet(QStringLiteral("width-mm")))
        c.widthMm = readMillimetres(parser, QStringLiteral("width-mm"));

    job.output = readOutputName(parser, QStringLiteral("output"), {QStringLiteral("pdf")});
    if (job.output.isEmpty())
        throw UsageError(QStringLiteral("--output is required"));
    job.svg = readOutputName(parser, QStringLiteral("svg"), {QStringLiteral("svg")});
    if (parser.isSet(QStringLiteral("kerf-mm"))) {
        if (job.svg.isEmpty())
            throw UsageError(QStringLiteral("--kerf-mm applies to the --svg lattice only"));
        job.kerfMm = readMillimetres(parser, QStringLiteral("kerf-mm"));
    }
    job.shape = readSheetShape(parser, c.widthMm.has_value());
    job.calibration = parser.isSet(QStringLiteral("calibration"));
    if (job.calibration && job.shape.shape != sheet::SheetShape::Straight)
        throw UsageError(QStringLiteral("--calibration takes no --shape"));
    if (job.calibration) {
        if (!parser.positionalArguments().isEmpty() || !job.svg.isEmpty())
            throw UsageError(QStringLiteral("--calibration takes no frames and no --svg"));
        return job;
    }
    // The frames and the canvas as compose takes them; the slit is the sheet's own.
    job.set.canvas = readCanvasSize(parser.value(QStringLiteral("size")));
    job.set.paths = readFramePaths(parser);
    readSourceChoices(parser, job.set);
    checkDistinctFiles(job.set.paths, {job.output, job.svg});
    return job;
}

int runSheet(const QCommandLineParser &parser, Progress &progress)
{
    SheetJob job = readSheetJob(parser);
    if (!outputsAreFilesOrTell({job.output, job.svg}, progress))
        return 1;
    OutputPlan plan;
    if (job.calibration) {
        try {
            sheet::checkCalibration(job.choices);
        } catch (const sheet::SheetRefused &refused) {
            throw UsageError(QString::fromStdString(refused.what()));
        }
        plan.add(job.output, [&] { sheet::writeCalibrationPdf(job.output, job.choices); });
        return plan.writeAll(progress) ? 0 : 1;
    }

    std::optional<PickedFrames> picked = openFramesOrTell(job.set, progress);
    if (!picked)
        return 1;
    const int frameCount = int(picked->picks.size());
    sheet::ShapeSheet layout;
    try {
        layout = sheet::layOutShapeSheet(job.choices, job.shape, frameCount, job.set.canvas);
        if (const auto *g = std::get_if<sheet::SheetGeometry>(&layout)) {
            if (!job.svg.isEmpty() && (job.kerfMm < 0 || job.kerfMm >= g->slitMm()))
                throw UsageError(
                    QStringLiteral("--kerf-mm must be at least 0 and narrower than the slit, %1 mm")
                        .arg(sheet::mmText(g->slitMm())));
        } else if (!job.svg.isEmpty()) {
            try {
                sheet::shapeLatticeSvg(layout, job.kerfMm);
            } catch (const sheet::SheetRefused &refused) {
                throw UsageError(QStringLiteral("--kerf-mm: ") +
                                 QString::fromStdString(refused.what()));
            }
        }
    } catch (const sheet::SheetRefused &refused) {
        throw UsageError(QString::fromStdString(refused.what()));
    }
    if (job.shape.shape != sheet::SheetShape::Straight)
        progress.note(sheet::shapeFiguresLine(layout));

    // The frames fitted onto the canvas in printer dots and composed by the shape's rule at
    // the printer's resolution: stripes of whole dots, or the disc's sectors.
    std::unique_ptr<FrameBands> bands;
    std::optional<QImage> composed;
    if (const auto *g = std::get_if<sheet::SheetGeometry>(&layout)) {
        job.set.canvas = g->canvasDots;
        job.set.slit = g->slitDots;
        // Composed a band at a time into the PDF: the picture is never held whole.
        bands = prepareFrameFilesOrTell(job.set, *picked, progress);
        if (!bands)
            return 1;
        plan.add(job.output,
                 [&, g] { sheet::writeSheetPdf(job.output, *g, bands->composer->source()); });
    } else {
        if (const auto *g = std::get_if<sheet::LampSheetGeometry>(&layout)) {
            job.set.canvas = g->canvasDots();
            job.set.slit = g->lamp.slitDots;
            composed = composeFrameFilesOrTell(job.set, *picked, progress);
        } else if (const auto *g = std::get_if<sheet::DiscSheetGeometry>(&layout)) {
            job.set.canvas = g->pictureDots().size();
            composed = composeFrameFilesOrTell(job.set, *picked, progress,
                                               shapes::DiscRule(g->periods, frameCount));
            if (composed)
                sheet::clearOutsideDisc(*composed);
        }
        if (!composed)
            return 1;
        plan.add(job.output, [&] { sheet::writeShapeSheetPdf(job.output, layout, *composed); });
    }
    if (!job.svg.isEmpty())
        plan.add(job.svg, [&] { sheet::writeShapeLatticeSvg(job.svg, layout, job.kerfMm); });
    return plan.writeAll(progress) ? 0 : 1;
}

} // namespace

Subcommand sheetCommand()
{
    return Subcommand{
        QStringLiteral("sheet"),
        QStringLiteral("sheet [options] FRAME1 FRAME2 [FRAME3 … FRAME8] | sheet [options] SOURCE "
                       "... | sheet --calibration [options]"),
        QStringLiteral("A print-ready sheet at true size: the picture at the printer's dots, its "
                       "lattice, crosses and a 100 mm bar; flat, or a disc or a lamp "
                       "(--shape)."),
        addSheetOptions, runSheet};
}

} // namespace cli
