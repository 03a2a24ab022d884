#include "sheet/sheet_svg.h"

#include "sheet/sheet_marks.h"
#include "sheet/sheet_render.h"
#include "sheet/sheet_texts.h"

namespace sheet
{

namespace
{

constexpr double kCutLineMm = 0.1;
constexpr double kMarkLineMm = 0.15;

QByteArray mm(double value)
{
    return QByteArray::number(value, 'f', 4);
}

QByteArray rect(const char *id, double x, double y, double width, double height)
{
    return QByteArray("<rect id=\"") + id + "\" x=\"" + mm(x) + "\" y=\"" + mm(y) + "\" width=\"" +
           mm(width) + "\" height=\"" + mm(height) + "\"/>\n";
}

QByteArray text(const QString &s)
{
    return s.toHtmlEscaped().toUtf8();
}

} // namespace

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
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                     "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
                     "version=\"1.1\" width=\"" +
                     mm(paper.width()) + "mm\" height=\"" + mm(paper.height()) +
                     "mm\" viewBox=\"0 0 " + mm(paper.width()) + ' ' + mm(paper.height()) +
                     "\">\n<title>" + text(latticeTitle(g.language)) + "</title>\n<desc>" +
                     text(figuresLine(g)) + "</desc>\n";

    svg += "<g id=\"cut\" inkscape:groupmode=\"layer\" inkscape:label=\"cut\" fill=\"none\" "
           "stroke=\"#ff0000\" stroke-width=\"" +
           mm(kCutLineMm) + "\">\n";
    const QRect border = g.borderDots();
    svg += rect("outline", toMm(border.x()), toMm(border.y()), toMm(border.width()),
                toMm(border.height()));
    const QRect lattice = g.latticeDots();
    const double half = kerfMm / 2;
    int n = 0;
    for (const auto &[start, end] : latticeSlits(g)) {
        const QByteArray id = "slit-" + QByteArray::number(++n);
        svg += rect(id.constData(), toMm(lattice.x() + start) + half, toMm(lattice.y()) + half,
                    toMm(end - start) - kerfMm, toMm(lattice.height()) - kerfMm);
    }
    svg += "</g>\n";

    svg += "<g id=\"marks\" inkscape:groupmode=\"layer\" inkscape:label=\"marks\" "
           "fill=\"none\" stroke=\"#0000ff\" stroke-width=\"" +
           mm(kMarkLineMm) + "\">\n";
    n = 0;
    for (const QPoint centre : g.crossCentresDots()) {
        const double x = toMm(centre.x()), y = toMm(centre.y());
        svg += "<path id=\"cross-" + QByteArray::number(++n) + "\" d=\"M " + mm(x - kCrossArmMm) +
               ' ' + mm(y) + " H " + mm(x + kCrossArmMm) + " M " + mm(x) + ' ' +
               mm(y - kCrossArmMm) + " V " + mm(y + kCrossArmMm) + "\"/>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

} // namespace sheet
