#pragma once

#include "sheet/sheet_marks.h"
#include "sheet/sheet_texts.h"

#include <QByteArray>
#include <QPoint>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>

// The pieces every cut file is written from: Inkscape layers of red cut lines and blue
// marks on a page of the paper's size in mm.
namespace sheet::svg
{

constexpr double kCutLineMm = 0.1;
constexpr double kMarkLineMm = 0.15;

inline QByteArray mm(double value)
{
    return QByteArray::number(value, 'f', 4);
}

inline QByteArray text(const QString &s)
{
    return s.toHtmlEscaped().toUtf8();
}

inline QByteArray opening(QSizeF paper, Language language, const QString &figures)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
           "version=\"1.1\" width=\"" +
           mm(paper.width()) + "mm\" height=\"" + mm(paper.height()) + "mm\" viewBox=\"0 0 " +
           mm(paper.width()) + ' ' + mm(paper.height()) + "\">\n<title>" +
           text(latticeTitle(language)) + "</title>\n<desc>" + text(figures) + "</desc>\n";
}

inline QByteArray layer(const char *name, const char *colour, double lineMm)
{
    return QByteArray("<g id=\"") + name + "\" inkscape:groupmode=\"layer\" inkscape:label=\"" +
           name + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + mm(lineMm) +
           "\">\n";
}

inline QByteArray rect(const QByteArray &id, const QRectF &r)
{
    return "<rect id=\"" + id + "\" x=\"" + mm(r.x()) + "\" y=\"" + mm(r.y()) + "\" width=\"" +
           mm(r.width()) + "\" height=\"" + mm(r.height()) + "\"/>\n";
}


// The registration crosses, on the marks layer.
inline QByteArray crosses(const std::array<QPoint, 4> &centres, int dpi)
{
    QByteArray out;
    int n = 0;
    for (const QPoint centre : centres) {
        const double x = dotsToMm(centre.x(), dpi), y = dotsToMm(centre.y(), dpi);
        out += "<path id=\"cross-" + QByteArray::number(++n) + "\" d=\"M " + mm(x - kCrossArmMm) +
               ' ' + mm(y) + " H " + mm(x + kCrossArmMm) + " M " + mm(x) + ' ' +
               mm(y - kCrossArmMm) + " V " + mm(y + kCrossArmMm) + "\"/>\n";
    }
    return out;
}

} // namespace sheet::svg
