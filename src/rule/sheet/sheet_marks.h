#pragma once

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

// The marks a print sheet carries, drawn in printer dots: registration crosses, rulers and
// the program's Gothic face for the figures.
namespace sheet
{

// The Gothic face at a size in points, measured in the sheet's dots so that it keeps its
// physical size however the device's units relate to them.
QFont sheetFont(double points, double dotsPerMm);

// Draws a line of text at `baseline` in the painter's font, made smaller where that is
// needed to keep it within `widthDots`, so that no word is lost past the paper's edge.
void drawTextWithin(QPainter &painter, QPointF baseline, const QString &text, double widthDots);

// The arm of a registration cross, from its centre.
constexpr double kCrossArmMm = 4.0;

// A cross centred on a point, its arms kCrossArmMm each way, in hairline-thin black.
void drawCross(QPainter &painter, QPointF centre, double dotsPerMm);

// A 100 mm ruler from `start` along x (or down along y when `down`): a bar 0.4 mm thick,
// exactly 100 mm long, ticks every millimetre and a figure every 10 mm.
void drawRuler(QPainter &painter, QPointF start, double dotsPerMm, bool down = false);

constexpr double kRulerMm = 100.0;

} // namespace sheet
