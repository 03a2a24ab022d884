#include "sheet/sheet_geometry.h"

#include "frames/frames_rule.h"

#include <algorithm>
#include <cmath>

namespace sheet
{

namespace
{

constexpr double kMmPerInch = 25.4;
// Comparisons in millimetres forgive what the last decimal of a double may add.
constexpr double kSlackMm = 1e-9;

// The 100 mm scale bar is what makes a sheet checkable: a paper too narrow for it inside
// the margins makes no sheet.
constexpr double kScaleBarMm = 100.0;

int wholeDots(double mm, int dpi)
{
    return int(std::ceil(mm * dpi / kMmPerInch - 1e-9));
}

// The room inside the margins and the border: across for the picture and one more lattice
// period, down for the picture; the footer goes below the border.
QSizeF roomMm(const SheetChoices &choices, double periodMm)
{
    const QSizeF paper = paperMm(choices);
    return QSizeF(paper.width() - 2 * kMarginMm - 2 * kBorderMm - periodMm,
                  paper.height() - 2 * kMarginMm - 2 * kBorderMm - kFooterMm);
}

int heightDotsFor(int widthDots, QSize aspect)
{
    return std::max(1, int(std::lround(double(widthDots) * aspect.height() / aspect.width())));
}

QString tooLargeMessage(double largest)
{
    return QStringLiteral("絵が紙に入りません。\nこの紙と設定では、絵の幅は %1 mm までです。")
        .arg(QString::number(largest, 'f', 1));
}

} // namespace

void checkChoices(const SheetChoices &choices, int frameCount, QSize canvasAspect)
{
    // Written so that a slit that is not a number is refused too.
    if (!(choices.slitMm >= kMinSlitMm - kSlackMm && choices.slitMm <= kMaxSlitMm + kSlackMm))
        throw SheetRefused("the slit must be 0.2 to 3.0 mm",
                           QStringLiteral("スリットの幅は 0.2 mm から 3.0 mm までです。"));
    if (choices.dpi < 72 || choices.dpi > 9600)
        throw SheetRefused("the resolution must be 72 to 9600 dpi",
                           QStringLiteral("解像度は 72 dpi から 9600 dpi までです。"));
    if (frameCount < frames::kMinFrames || frameCount > frames::kMaxFrames)
        throw SheetRefused("a sheet needs 2 to 8 frames",
                           QStringLiteral("コマは２枚から８枚までです。"));
    if (canvasAspect.width() <= 0 || canvasAspect.height() <= 0)
        throw SheetRefused("the canvas has no size", QStringLiteral("絵の大きさがありません。"));
    checkPaper(choices);
}

void checkPaper(const SheetChoices &choices)
{
    if (choices.paper == Paper::Custom) {
        const QSizeF size = choices.customMm;
        const auto inRange = [](double mm) {
            return mm >= kMinCustomMm - kSlackMm && mm <= kMaxCustomMm + kSlackMm;
        };
        if (!inRange(size.width()) || !inRange(size.height()))
            throw SheetRefused(
                "the paper must be 50 to 2000 mm each way",
                QStringLiteral("紙の大きさは縦横とも 50 mm から 2000 mm までです。"));
    }
    if (paperMm(choices).width() < kScaleBarMm + 2 * kMarginMm - kSlackMm)
        throw SheetRefused("the paper must be at least 120 mm wide for the 100 mm scale bar",
                           QStringLiteral("100 mm の目盛りが入るよう、紙の幅は 120 mm 以上に"
                                          "してください。"));
}

double dotsPerMm(int dpi)
{
    return dpi / kMmPerInch;
}

QRect SheetGeometry::latticeDots() const
{
    return QRect(originDots, frames::LatticeSheetSize(canvasDots, slitDots, frameCount));
}

QRect SheetGeometry::borderDots() const
{
    const int border = wholeDots(kBorderMm, dpi);
    return latticeDots().adjusted(-border, -border, border, border);
}

std::array<QPoint, 4> SheetGeometry::crossCentresDots() const
{
    const int out = wholeDots(kCrossOffsetMm, dpi);
    const QRect lattice = latticeDots();
    // The right and bottom edges lie after the last column and row.
    const int left = lattice.x() - out, right = lattice.x() + lattice.width() + out;
    const int top = lattice.y() - out, bottom = lattice.y() + lattice.height() + out;
    return {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom)};
}

int slitDots(double slitMm, int dpi)
{
    return std::max(1, int(std::lround(slitMm * dpi / kMmPerInch)));
}

double dotsToMm(double dots, int dpi)
{
    return dots * kMmPerInch / dpi;
}

QString mmText(double mm)
{
    return QString::number(mm, 'f', 2);
}

double largestWidthMm(const SheetChoices &choices, int frameCount, QSize canvasAspect)
{
    checkChoices(choices, frameCount, canvasAspect);
    const int period = frames::CycleLength(slitDots(choices.slitMm, choices.dpi), frameCount);
    const QSizeF room = roomMm(choices, dotsToMm(period, choices.dpi));
    const double byHeight = room.height() * canvasAspect.width() / canvasAspect.height();
    // Whole tenths, rounded down, so the width shown is the width used and still fits
    // once it has become whole dots.
    const double perMm = dotsPerMm(choices.dpi);
    for (int tenths = int(std::floor(std::min(room.width(), byHeight) * 10 + kSlackMm));
         tenths >= int(kMinWidthMm * 10); --tenths) {
        const int w = std::max(1, int(std::lround(tenths / 10.0 * perMm)));
        if (dotsToMm(w, choices.dpi) <= room.width() + kSlackMm &&
            dotsToMm(heightDotsFor(w, canvasAspect), choices.dpi) <= room.height() + kSlackMm)
            return tenths / 10.0;
    }
    throw SheetRefused("the paper is too small for this sheet",
                       QStringLiteral("紙が小さすぎて、この設定の絵が入りません。"));
}

SheetGeometry layOutSheet(const SheetChoices &choices, int frameCount, QSize canvasAspect)
{
    const double largest = largestWidthMm(choices, frameCount, canvasAspect);
    const double width = choices.widthMm.value_or(largest);
    if (!(width >= kMinWidthMm - kSlackMm))
        throw SheetRefused("the picture must be at least 10 mm wide",
                           QStringLiteral("絵の幅は 10 mm 以上にしてください。"));

    const auto tooLarge = [&] {
        return SheetRefused("the picture does not fit the paper: at most " +
                                QString::number(largest, 'f', 1).toStdString() + " mm wide",
                            tooLargeMessage(largest));
    };
    // Far too wide is refused before it becomes dots.
    if (width > paperMm(choices).width())
        throw tooLarge();

    SheetGeometry g;
    g.dpi = choices.dpi;
    g.frameCount = frameCount;
    g.paper = choices.paper;
    g.landscape = choices.landscape;
    g.pageSize = pageSizeOf(choices);
    g.paperMm = paperMm(choices);
    g.language = choices.language;
    g.requestedSlitMm = choices.slitMm;
    g.slitDots = slitDots(choices.slitMm, choices.dpi);
    g.periodDots = frames::CycleLength(g.slitDots, frameCount);
    const int w = std::max(1, int(std::lround(width * dotsPerMm(choices.dpi))));
    g.canvasDots = QSize(w, heightDotsFor(w, canvasAspect));

    const QSizeF room = roomMm(choices, g.periodMm());
    if (g.widthMm() > room.width() + kSlackMm || g.heightMm() > room.height() + kSlackMm)
        throw tooLarge();

    // The picture and its lattice are centred across the paper and start below the top
    // margin and the border, both on whole dots.
    const double paperWidthDots = g.paperMm.width() * dotsPerMm(g.dpi);
    g.originDots = QPoint(int(std::floor((paperWidthDots - g.latticeDots().width()) / 2)),
                          wholeDots(kMarginMm, g.dpi) + wholeDots(kBorderMm, g.dpi));
    return g;
}

} // namespace sheet
