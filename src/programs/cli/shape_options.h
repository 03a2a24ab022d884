#pragma once

#include "shapes/disc_rule.h"

#include <QCommandLineParser>

#include <initializer_list>

namespace cli
{

// The forms a stripe animation takes: a flat sheet slid sideways, a disc turned on a pin,
// or a lamp of two cylinders.
enum class Shape { Straight, Disc, Lamp };

struct ShapeChoice {
    Shape shape = Shape::Straight;
    // Disc only: the periods around the disc.
    int periods = shapes::kDefaultPeriods;
    // Lamp only: the diameters of the picture's cylinder and of the lattice's, in mm.
    double innerMm = 0;
    double outerMm = 0;
};

// Adds --shape, --periods for a command that makes discs, and --inner-mm and --outer-mm
// for one that makes lamps. `shapeHelp` is the --shape line of the command's help, which
// names the shapes it makes.
void addShapeOptions(QCommandLineParser &parser, const QString &shapeHelp,
                     std::initializer_list<Shape> made = {Shape::Straight, Shape::Disc,
                                                          Shape::Lamp});
// The shape and its measures. Throws UsageError for a shape the command does not make
// (of those in `accepted`, the same as the options were added for), a value out of
// range, or a measure of another shape.
ShapeChoice readShapeChoice(const QCommandLineParser &parser,
                            std::initializer_list<Shape> accepted);

} // namespace cli
