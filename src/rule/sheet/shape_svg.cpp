#include "sheet/shape_svg.h"

#include "sheet/sheet_marks.h"
#include "sheet/svg_writing.h"
#include "sheet/sheet_texts.h"

#include <cmath>
#include <numbers>

namespace sheet
{

namespace
{

using namespace svg;

QByteArray circle(const char *id, QPointF centre, double radius)
{
    return QByteArray("<circle id=\"") + id + "\" cx=\"" + mm(centre.x()) + "\" cy=\"" +
           mm(centre.y()) + "\" r=\"" + mm(radius) + "\"/>\n";
}

QByteArray point(QPointF p)
{
    return mm(p.x()) + ' ' + mm(p.y());
}

// A wedge slit from `a0` to `a1` (radians clockwise from 12 o'clock) between two radii, its
// straight edges moved in by `inset` parallel to themselves and its arcs by as much.
QByteArray wedgeSlit(QPointF centre, double a0, double a1, double inner, double outer, double inset)
{
    // On an edge at angle a moved `side` x inset across it: where it meets radius r.
    const auto corner = [&](double a, double side, double r) {
        const double along = std::sqrt(r * r - inset * inset);
        const QPointF out(std::sin(a), -std::cos(a)), across(std::cos(a), std::sin(a));
        return centre + along * out + side * inset * across;
    };
    const double rIn = inner + inset, rOut = outer - inset;
    return "M " + point(corner(a0, 1, rIn)) + " L " + point(corner(a0, 1, rOut)) + " A " +
           mm(rOut) + ' ' + mm(rOut) + " 0 0 1 " + point(corner(a1, -1, rOut)) + " L " +
           point(corner(a1, -1, rIn)) + " A " + mm(rIn) + ' ' + mm(rIn) + " 0 0 0 " +
           point(corner(a0, 1, rIn)) + " Z";
}

SheetRefused badKerf(double limitMm)
{
    return SheetRefused("the kerf must be at least 0 and narrower than the slit (" +
                            mmText(limitMm).toStdString() + " mm)",
                        QStringLiteral("切り幅は 0 以上、スリット（%1 mm）より狭くしてください。")
                            .arg(mmText(limitMm)));
}

} // namespace

double discSlitInnerMm(const DiscSheetGeometry &g)
{
    return dotsToMm(g.hubDots(), g.dpi);
}

double discSlitOuterMm(const DiscSheetGeometry &g)
{
    const double radius = g.diameterMm() / 2;
    return radius - std::min(kDiscRimMm, radius / 10);
}

QByteArray discLatticeSvg(const DiscSheetGeometry &g, double kerfMm)
{
    const double alpha = 2 * std::numbers::pi / (g.periods * g.frameCount);
    const double inner = discSlitInnerMm(g), outer = discSlitOuterMm(g);
    const double narrowest = 2 * inner * std::sin(alpha / 2);
    const double pinHole = dotsToMm(g.pinHoleDots(), g.dpi);
    if (!(kerfMm >= 0) || kerfMm >= narrowest || kerfMm / 2 >= pinHole)
        throw badKerf(std::min(narrowest, 2 * pinHole));
    const double half = kerfMm / 2;
    const QPointF c = g.centreDots() / dotsPerMm(g.dpi);

    QByteArray svg = opening(g.paperMm, g.language,
                             discFiguresLine(g.language, g.frameCount, g.periods, g.slitDegrees(),
                                             g.diameterMm(), g.dpi));
    svg += layer("cut", "#ff0000", kCutLineMm);
    svg += circle("outline", c, g.diameterMm() / 2 + half);
    // The clear sectors: g = p N, so each period's slit starts at p N alpha.
    for (int p = 0; p < g.periods; ++p) {
        const double a0 = p * g.frameCount * alpha;
        svg += "<path id=\"slit-" + QByteArray::number(p + 1) + "\" d=\"" +
               wedgeSlit(c, a0, a0 + alpha, inner, outer, half) + "\"/>\n";
    }
    svg += circle("pin-hole", c, pinHole - half);
    svg += "</g>\n";
    svg += layer("marks", "#0000ff", kMarkLineMm);
    svg += crosses(g.crossCentresDots(), g.dpi);
    svg += "</g>\n</svg>\n";
    return svg;
}

QByteArray lampLatticeSvg(const LampSheetGeometry &g, double kerfMm)
{
    if (!(kerfMm >= 0) || kerfMm >= g.lamp.latticeSlitMm)
        throw badKerf(g.lamp.latticeSlitMm);
    const double half = kerfMm / 2;
    const double perMm = dotsPerMm(g.dpi);
    const QRectF strip(g.latticeDots().topLeft() / perMm, g.latticeDots().size() / perMm);
    const QRectF outline(g.latticeOutlineDots().topLeft() / perMm,
                         g.latticeOutlineDots().size() / perMm);

    QByteArray svg = opening(
        g.paperMm, g.language,
        lampFiguresLine(g.language, g.frameCount, g.lamp.periods, dotsToMm(g.lamp.slitDots, g.dpi),
                        g.lamp.innerDiameterMm, g.askedInnerMm, g.outerMm, g.dpi));
    svg += layer("cut", "#ff0000", kCutLineMm);
    svg += rect("outline", outline.adjusted(-half, -half, half, half));
    int onStrip = 0, onTab = 0;
    for (const auto &[start, end] : lampLatticeSlitsMm(g)) {
        const bool tab = start >= g.lamp.latticeLengthMm;
        const QByteArray id =
            (tab ? "tab-slit-" : "slit-") + QByteArray::number(tab ? ++onTab : ++onStrip);
        svg += rect(id, QRectF(strip.x() + start + half, strip.y() + half, end - start - kerfMm,
                               strip.height() - kerfMm));
    }
    svg += "</g>\n";
    svg += layer("marks", "#0000ff", kMarkLineMm);
    const double seam = strip.right();
    svg += "<path id=\"seam\" d=\"M " + mm(seam) + ' ' + mm(outline.top() - kSeamTickMm) + " V " +
           mm(outline.bottom() + kSeamTickMm) + "\"/>\n";
    svg += "</g>\n</svg>\n";
    return svg;
}

} // namespace sheet
