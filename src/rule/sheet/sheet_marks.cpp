#include "sheet/sheet_marks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace sheet
{

namespace
{
constexpr double kCrossLineMm = 0.15;
constexpr double kRulerBarMm = 0.4;
constexpr double kTickMm = 0.15;
} // namespace

QFont sheetFont(double points, double dotsPerMm)
{
    // The caption face of the program, mapped to an installed Gothic face, with the usual
    // substitutes named outright, as the command line runs without the window's set-up.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP")});
    constexpr double kMmPerPoint = 25.4 / 72;
    font.setPixelSize(std::max(1, int(std::lround(points * kMmPerPoint * dotsPerMm))));
    return font;
}

void drawTextWithin(QPainter &painter, QPointF baseline, const QString &text, double widthDots)
{
    painter.save();
    QFont font = painter.font();
    const double natural = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
    if (natural > widthDots && font.pixelSize() > 1) {
        font.setPixelSize(std::max(1, int(std::floor(font.pixelSize() * widthDots / natural))));
        painter.setFont(font);
    }
    painter.drawText(baseline, text);
    painter.restore();
}

void drawCross(QPainter &painter, QPointF centre, double dotsPerMm)
{
    painter.save();
    QPen pen(Qt::black, kCrossLineMm * dotsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double arm = kCrossArmMm * dotsPerMm;
    painter.drawLine(QPointF(centre.x() - arm, centre.y()), QPointF(centre.x() + arm, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - arm), QPointF(centre.x(), centre.y() + arm));
    painter.restore();
}

void drawRuler(QPainter &painter, QPointF start, double dotsPerMm, bool down)
{
    painter.save();
    // Lengths along the ruler and across it, turned for a ruler that runs down the page.
    const auto box = [&](double along, double across, double length, double thickness) {
        return down ? QRectF(start.x() + across, start.y() + along, thickness, length)
                    : QRectF(start.x() + along, start.y() + across, length, thickness);
    };
    const double bar = kRulerBarMm * dotsPerMm;
    painter.fillRect(box(0, 0, kRulerMm * dotsPerMm, bar), Qt::black);
    painter.setFont(sheetFont(6, dotsPerMm));
    painter.setPen(Qt::black);
    for (int mm = 0; mm <= int(kRulerMm); ++mm) {
        const double tick = (mm % 10 == 0 ? 2.5 : mm % 5 == 0 ? 1.6 : 1.0) * dotsPerMm;
        // Each tick is centred on its millimetre; the end ticks stand inside the bar.
        double at = mm * dotsPerMm - kTickMm * dotsPerMm / 2;
        at = std::clamp(at, 0.0, (kRulerMm - kTickMm) * dotsPerMm);
        painter.fillRect(box(at, bar, kTickMm * dotsPerMm, tick), Qt::black);
        if (mm % 10 == 0) {
            const QString figure =
                mm == int(kRulerMm) ? QStringLiteral("100 mm") : QString::number(mm);
            const QPointF place = down ? QPointF(start.x() + bar + 3 * dotsPerMm,
                                                 start.y() + mm * dotsPerMm + 1 * dotsPerMm)
                                       : QPointF(start.x() + mm * dotsPerMm - 0.7 * dotsPerMm,
                                                 start.y() + bar + 5.2 * dotsPerMm);
            painter.drawText(place, figure);
        }
    }
    painter.restore();
}

} // namespace sheet
