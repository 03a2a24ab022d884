#include "cli/shape_options.h"

#include "cli/cli_errors.h"
#include "cli/frame_options.h"
#include "shapes/lamp_layout.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace cli
{

namespace
{

const QString kShapeNames[] = {QStringLiteral("straight"), QStringLiteral("disc"),
                               QStringLiteral("lamp")};

QString nameOf(Shape shape)
{
    return kShapeNames[int(shape)];
}

bool makes(std::initializer_list<Shape> shapes, Shape shape)
{
    return std::find(shapes.begin(), shapes.end(), shape) != shapes.end();
}

QString namesOf(std::initializer_list<Shape> shapes)
{
    QStringList names;
    for (const Shape shape : shapes)
        names << nameOf(shape);
    const QString last = names.takeLast();
    return names.isEmpty() ? last
                           : names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

Shape readShape(const QCommandLineParser &parser, std::initializer_list<Shape> accepted)
{
    const QString text = parser.value(QStringLiteral("shape"));
    for (const Shape shape : {Shape::Straight, Shape::Disc, Shape::Lamp}) {
        if (text != nameOf(shape))
            continue;
        if (makes(accepted, shape))
            return shape;
        // A lamp's strips only exist on paper: the sheet prints them to the millimetre.
        if (shape == Shape::Lamp)
            throw UsageError(QStringLiteral("--shape lamp is made by 'lintaro-cli sheet'; this "
                                            "command takes %1")
                                 .arg(namesOf(accepted)));
        break;
    }
    throw UsageError(QStringLiteral("--shape takes %1, not \"%2\"").arg(namesOf(accepted), text));
}

double readDiameter(const QCommandLineParser &parser, const QString &option)
{
    const QString text = parser.value(option);
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < shapes::kMinLampDiameterMm ||
        value > shapes::kMaxLampDiameterMm)
        throw UsageError(QStringLiteral("--%1 takes a diameter from %2 to %3 mm, not \"%4\"")
                             .arg(option)
                             .arg(shapes::kMinLampDiameterMm)
                             .arg(shapes::kMaxLampDiameterMm)
                             .arg(text));
    return value;
}

} // namespace

void addShapeOptions(QCommandLineParser &parser, const QString &shapeHelp,
                     std::initializer_list<Shape> made)
{
    parser.addOption(
        {QStringLiteral("shape"), shapeHelp, QStringLiteral("SHAPE"), QStringLiteral("straight")});
    if (makes(made, Shape::Disc))
        parser.addOption({QStringLiteral("periods"),
                          QStringLiteral("Disc: slit periods around the disc, %1..%2 (default %3).")
                              .arg(shapes::kMinPeriods)
                              .arg(shapes::kMaxPeriods)
                              .arg(shapes::kDefaultPeriods),
                          QStringLiteral("P")});
    if (!makes(made, Shape::Lamp))
        return;
    parser.addOption({QStringLiteral("inner-mm"),
                      QStringLiteral("Lamp: diameter of the picture's cylinder, %1..%2 mm.")
                          .arg(shapes::kMinLampDiameterMm)
                          .arg(shapes::kMaxLampDiameterMm),
                      QStringLiteral("D")});
    parser.addOption({QStringLiteral("outer-mm"),
                      QStringLiteral("Lamp: diameter of the lattice's cylinder, larger than "
                                     "--inner-mm."),
                      QStringLiteral("D")});
}

ShapeChoice readShapeChoice(const QCommandLineParser &parser, std::initializer_list<Shape> accepted)
{
    ShapeChoice choice;
    choice.shape = readShape(parser, accepted);
    if (makes(accepted, Shape::Disc) && parser.isSet(QStringLiteral("periods"))) {
        if (choice.shape != Shape::Disc)
            throw UsageError(QStringLiteral("--periods applies to --shape disc only"));
        choice.periods =
            readNumber(QStringLiteral("periods"), parser.value(QStringLiteral("periods")),
                       shapes::kMinPeriods, shapes::kMaxPeriods);
    }
    const bool lamps = makes(accepted, Shape::Lamp);
    const bool inner = lamps && parser.isSet(QStringLiteral("inner-mm"));
    const bool outer = lamps && parser.isSet(QStringLiteral("outer-mm"));
    if (choice.shape != Shape::Lamp) {
        if (inner || outer)
            throw UsageError(
                QStringLiteral("--%1 applies to --shape lamp only")
                    .arg(inner ? QStringLiteral("inner-mm") : QStringLiteral("outer-mm")));
        return choice;
    }
    if (!inner || !outer)
        throw UsageError(QStringLiteral("--shape lamp needs --inner-mm and --outer-mm"));
    choice.innerMm = readDiameter(parser, QStringLiteral("inner-mm"));
    choice.outerMm = readDiameter(parser, QStringLiteral("outer-mm"));
    // The lattice's cylinder turns around the picture's, so it must be the larger one.
    if (!(choice.outerMm > choice.innerMm))
        throw UsageError(QStringLiteral("--outer-mm must be larger than --inner-mm (%1 mm)")
                             .arg(choice.innerMm));
    return choice;
}

} // namespace cli
