#include "sheet/shape_sheet.h"
#include "sheet/shape_svg.h"

#include <QSvgRenderer>
#include <QVector3D>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

// The disc's and the lamp's cut files read back as XML, kerf and all, and the sheets they
// refuse.
namespace
{

using namespace sheet;

// The shapes of the "cut" layer by id: circles as (cx, cy, r), rectangles, path data.
struct CutShapes {
    std::map<QString, QVector3D> circles;
    std::map<QString, QRectF> rects;
    std::map<QString, QString> paths;
    std::map<QString, QString> marks;
};

CutShapes readCut(const QByteArray &svg)
{
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
    QXmlStreamReader xml(svg);
    CutShapes shapes;
    QString layer;
    const auto number = [&](const char *name) {
        return xml.attributes().value(QLatin1String(name)).toDouble();
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString id = xml.attributes().value(QLatin1String("id")).toString();
        if (xml.name() == QLatin1String("g"))
            layer = id;
        else if (xml.name() == QLatin1String("circle") && layer == QLatin1String("cut"))
            shapes.circles[id] = QVector3D(number("cx"), number("cy"), number("r"));
        else if (xml.name() == QLatin1String("rect") && layer == QLatin1String("cut"))
            shapes.rects[id] = QRectF(number("x"), number("y"), number("width"), number("height"));
        else if (xml.name() == QLatin1String("path"))
            (layer == QLatin1String("cut") ? shapes.paths : shapes.marks)[id] =
                xml.attributes().value(QLatin1String("d")).toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return shapes;
}

// The points of "M x y L x y A r r 0 0 1 x y L x y A r r 0 0 0 x y Z" and its two radii.
struct WedgeSlit {
    QPointF corners[4];
    double outerArc = 0, innerArc = 0;
};

WedgeSlit parseWedge(const QString &d)
{
    const QStringList t = d.split(QLatin1Char(' '));
    EXPECT_EQ(t.size(), 26) << d.toStdString();
    WedgeSlit w;
    if (t.size() != 26)
        return w;
    const auto at = [&](int i) { return t[i].toDouble(); };
    w.corners[0] = {at(1), at(2)};
    w.corners[1] = {at(4), at(5)};
    w.outerArc = at(7);
    w.corners[2] = {at(12), at(13)};
    w.corners[3] = {at(15), at(16)};
    w.innerArc = at(18);
    return w;
}

TEST(ShapeSvg, DiscSlitsAreClosedWedgesMovedInByHalfTheKerf)
{
    const DiscSheetGeometry g = layOutDiscSheet({Paper::A4, false, 1.0, 300, 60.0}, 3, 6);
    const double alpha = 2 * std::numbers::pi / 18;
    const double radius = g.diameterMm() / 2;
    const QPointF centre = g.centreDots() * 25.4 / 300;
    for (const double kerf : {0.0, 0.2}) {
        SCOPED_TRACE(testing::Message() << "kerf " << kerf);
        const CutShapes cut = readCut(discLatticeSvg(g, kerf));
        EXPECT_NEAR(cut.circles.at(QStringLiteral("outline")).z(), radius + kerf / 2, 1e-4);
        EXPECT_NEAR(cut.circles.at(QStringLiteral("outline")).x(), centre.x(), 1e-4);
        EXPECT_NEAR(cut.circles.at(QStringLiteral("pin-hole")).z(),
                    std::max(25.4 / 300, radius / 50) - kerf / 2, 1e-4);
        ASSERT_EQ(cut.paths.size(), 6u) << "one slit a period";
        for (int p = 0; p < 6; ++p) {
            const WedgeSlit w = parseWedge(cut.paths.at(QStringLiteral("slit-%1").arg(p + 1)));
            // Each straight edge runs half the kerf inside the radial line of its sector's
            // edge, at p N alpha and p N alpha + alpha.
            for (int i = 0; i < 4; ++i) {
                const double a = p * 3 * alpha + (i < 2 ? 0 : alpha);
                const QPointF v = w.corners[i] - centre;
                const double along = v.x() * std::sin(a) - v.y() * std::cos(a);
                const double across = v.x() * std::cos(a) + v.y() * std::sin(a);
                EXPECT_NEAR(across, i < 2 ? kerf / 2 : -kerf / 2, 1e-4) << "slit " << p;
                EXPECT_GT(along, 0);
                const double r = std::hypot(v.x(), v.y());
                const bool outer = i == 1 || i == 2;
                EXPECT_NEAR(r, outer ? radius - kDiscRimMm - kerf / 2 : radius / 10 + kerf / 2,
                            1e-4);
            }
            EXPECT_NEAR(w.outerArc, radius - kDiscRimMm - kerf / 2, 1e-4);
            EXPECT_NEAR(w.innerArc, radius / 10 + kerf / 2, 1e-4);
        }
    }
    // At the hub a slit is 2 x 3.00 mm x sin 10 degrees = 1.04 mm wide: a kerf that wide is
    // refused.
    EXPECT_NO_THROW(discLatticeSvg(g, 1.0));
    EXPECT_THROW(discLatticeSvg(g, 1.05), SheetRefused);
    EXPECT_THROW(discLatticeSvg(g, -0.1), SheetRefused);
}

TEST(ShapeSvg, LampStripIsOnePieceOfPClosedSlitsAndAGlueTab)
{
    const LampSheetGeometry g = layOutLampSheet({Paper::A4, true, 1.0, 300, std::nullopt}, 3, 60,
                                                70, 40.0, QSize(640, 480));
    const double length = std::numbers::pi * 70, period = length / 62, slit = period / 3;
    for (const double kerf : {0.0, 0.1}) {
        SCOPED_TRACE(testing::Message() << "kerf " << kerf);
        const CutShapes cut = readCut(lampLatticeSvg(g, kerf));
        const QRectF outline = cut.rects.at(QStringLiteral("outline"));
        EXPECT_NEAR(outline.width(), length + kGlueTabMm + kerf, 0.01);
        EXPECT_NEAR(outline.height(), g.heightMm() + 2 * kLampRimMm + kerf, 0.01);
        const double start = outline.left() + kerf / 2;
        int onStrip = 0, onTab = 0;
        for (const auto &[id, r] : cut.rects) {
            if (id == QLatin1String("outline"))
                continue;
            const bool tab = id.startsWith(QLatin1String("tab-slit-"));
            const int k = id.section(QLatin1Char('-'), -1).toInt() - 1 + (tab ? 62 : 0);
            (tab ? onTab : onStrip)++;
            EXPECT_NEAR(r.left() - kerf / 2 - start, (period - slit) / 2 + k * period, 0.01);
            EXPECT_NEAR(r.width(), slit - kerf, 0.01);
            // Closed: the rims stay above and below.
            EXPECT_NEAR(r.top() - outline.top(), kLampRimMm + kerf, 0.01);
            EXPECT_NEAR(outline.bottom() - r.bottom(), kLampRimMm + kerf, 0.01);
        }
        EXPECT_EQ(onStrip, 62);
        // 10 mm of tab holds the slits whole within it: (10 - 1.18) / 3.55 rounded up.
        EXPECT_EQ(onTab, 3);
        const QString seam = cut.marks.at(QStringLiteral("seam"));
        EXPECT_NEAR(seam.section(QLatin1Char(' '), 1, 1).toDouble() - start, length, 0.01);
    }
    EXPECT_THROW(lampLatticeSvg(g, slit), SheetRefused);
}

TEST(ShapeSheetRefusal, ToldWithWhatWouldFit)
{
    const auto refusal = [](auto make) -> std::string {
        try {
            make();
        } catch (const SheetRefused &refused) {
            EXPECT_FALSE(refused.message().isEmpty());
            return refused.what();
        }
        return "not refused";
    };
    const SheetChoices a4{Paper::A4, false, 1.0, 600, std::nullopt};
    // pi 70 mm and the 10 mm tab on 190 mm inside A4's margins.
    EXPECT_EQ(refusal([&] { layOutLampSheet(a4, 3, 60, 70, {}, QSize(4, 3)); }),
              "the lamp's strip is 229.9 mm long with its glue tab; the paper holds 190.0 mm "
              "inside its margins");
    // A lattice short enough, with a picture strip of whole periods that comes out longer:
    // pi 57.5 mm is 7.51 periods of 8 x 71 dots, so 8 periods, 192.36 mm.
    EXPECT_EQ(refusal([&] {
                  layOutLampSheet({Paper::A4, false, 3.0, 600, std::nullopt}, 8, 57.5, 57.6, {},
                                  QSize(4, 3));
              }).substr(0, 28),
              "the lamp's strip is 202.4 mm");
    EXPECT_EQ(refusal([&] { layOutLampSheet(a4, 3, 60, 60, {}, QSize(4, 3)); }),
              "the outer cylinder must be larger than the inner one");
    EXPECT_EQ(refusal([&] { layOutLampSheet(a4, 3, 40, 50, 300.0, QSize(4, 3)); }),
              "the strip is too high for the paper: at most 232.0 mm high");
    // 170 mm inside A4's margins and borders is 4016 dots at 600 dpi, 170.01 mm.
    EXPECT_EQ(refusal([&] {
                  layOutDiscSheet({Paper::A4, false, 1.0, 600, 171.0}, 3, 24);
              }),
              "the disc does not fit the paper: at most 169.9 mm across");
    EXPECT_EQ(refusal([&] { layOutDiscSheet(a4, 3, 181); }), "a disc has 4 to 180 periods");
    ShapeChoices lamp{SheetShape::Lamp, 24, 60, 70, {}};
    EXPECT_EQ(refusal([&] { layOutShapeSheet(a4, lamp, 3, QSize(4, 3)); }).substr(0, 28),
              "the lamp's strip is 229.9 mm");
    SheetChoices landscape = a4;
    landscape.landscape = true;
    EXPECT_NO_THROW(layOutShapeSheet(landscape, lamp, 3, QSize(4, 3)));
}

} // namespace
