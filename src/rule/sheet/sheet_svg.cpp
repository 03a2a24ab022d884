#include "sheet/sheet_svg.h"

#include "sheet/sheet_marks.h"
#include "sheet/sheet_render.h"
#include "sheet/sheet_texts.h"
#include "sheet/svg_writing.h"

namespace sheet
{

using namespace svg;

QByteArray latticeSvg(const SheetGeometry &g, double kerfMm)
{
    if (!(kerfMm >= 0) || kerfMm >= g.slitMm())
        throw SheetRefused(
            "the kerf must be at least 0 and narrower than the slit (" +
                mmText(g.slitMm()).toStdString() + " mm)",
            QStringLiteral("切り幅は 0 以上、スリット（%1 mm）より狭くしてください。")
                .arg(mmText(g.slitMm())));
    const auto toMm = [&](double dots) { return dotsToMm(dots, g.dpi); };
    const QSizeF paper = g.paperMm;
    QByteArray svg = opening(paper, g.language, figuresLine(g));
    svg += layer("cut", "#ff0000", kCutLineMm);
    const QRect border = g.borderDots();
    svg += rect("outline", QRectF(toMm(border.x()), toMm(border.y()), toMm(border.width()),
                                toMm(border.height())));
    const QRect lattice = g.latticeDots();
    const double half = kerfMm / 2;
    int n = 0;
    for (const auto &[start, end] : latticeSlits(g)) {
        const QByteArray id = "slit-" + QByteArray::number(++n);
        svg += rect(id, QRectF(toMm(lattice.x() + start) + half, toMm(lattice.y()) + half,
                             toMm(end - start) - kerfMm, toMm(lattice.height()) - kerfMm));
    }
    svg += "</g>\n";

    svg += layer("marks", "#0000ff", kMarkLineMm);
    svg += crosses(g.crossCentresDots(), g.dpi);
    svg += "</g>\n</svg>\n";
    return svg;
}

} // namespace sheet
