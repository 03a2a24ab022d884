#include "platform/command_error.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_render.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <map>

// The lattice as SVG for cutters and plotters, read back as XML: one piece with an outer
// cut and closed slits narrowed by the kerf, and the crosses on a layer of their own.
namespace
{

using namespace sheet;

struct Svg {
    QString width, height;
    QList<double> viewBox;
    // Rectangles and paths by the id and label of the group they are in.
    std::map<QString, std::vector<QRectF>> rects;
    std::map<QString, int> paths;
    std::map<QString, QString> labels;
};

Svg readSvg(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    Svg svg;
    QString group;
    const auto number = [&](const char *name) {
        return xml.attributes().value(QLatin1String(name)).toDouble();
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg")) {
            svg.width = xml.attributes().value(QLatin1String("width")).toString();
            svg.height = xml.attributes().value(QLatin1String("height")).toString();
            for (const QString &n :
                 xml.attributes().value(QLatin1String("viewBox")).toString().split(' '))
                svg.viewBox << n.toDouble();
        } else if (xml.name() == QLatin1String("g")) {
            group = xml.attributes().value(QLatin1String("id")).toString();
            svg.labels[group] = xml.attributes()
                                    .value(QLatin1String("http://www.inkscape.org/namespaces/"
                                                         "inkscape"),
                                           QLatin1String("label"))
                                    .toString();
        } else if (xml.name() == QLatin1String("rect")) {
            svg.rects[group].push_back(
                QRectF(number("x"), number("y"), number("width"), number("height")));
        } else if (xml.name() == QLatin1String("path")) {
            ++svg.paths[group];
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return svg;
}

TEST(SheetSvg, OnePieceWithClosedSlitsNarrowedByTheKerf)
{
    QTemporaryDir temp;
    struct Case {
        SheetChoices choices;
        int frames;
    };
    for (const Case &c : {Case{{Paper::A4, false, 1.0, 600, 150.0}, 3},
                          Case{{Paper::Letter, true, 0.3, 360, 61.3}, 2}}) {
        const SheetGeometry g = layOutSheet(c.choices, c.frames, QSize(640, 480));
        const QRect lattice = g.latticeDots();
        const double mmPerDot = 25.4 / g.dpi;
        for (const double kerf : {0.0, 0.1}) {
            SCOPED_TRACE(testing::Message() << g.dpi << " dpi, kerf " << kerf);
            const QString path = temp.filePath(QStringLiteral("lattice.svg"));
            writeLatticeSvg(path, g, kerf);
            const Svg svg = readSvg(path);
            // The drawing is the paper in millimetres, where page 2 puts everything.
            EXPECT_EQ(svg.width, QString::number(g.paperMm.width(), 'f', 4) + "mm");
            EXPECT_EQ(svg.height, QString::number(g.paperMm.height(), 'f', 4) + "mm");
            EXPECT_EQ(svg.viewBox, (QList<double>{0, 0, g.paperMm.width(), g.paperMm.height()}));
            EXPECT_EQ(svg.labels.at(QStringLiteral("cut")), QStringLiteral("cut"));
            EXPECT_EQ(svg.labels.at(QStringLiteral("marks")), QStringLiteral("marks"));
            EXPECT_EQ(svg.paths.at(QStringLiteral("marks")), 4);
            EXPECT_EQ(svg.paths.count(QStringLiteral("cut")), 0u);

            // The outer cut first, then one closed slit per slit of the lattice.
            const std::vector<QRectF> &cut = svg.rects.at(QStringLiteral("cut"));
            const auto slits = latticeSlits(g);
            ASSERT_EQ(cut.size(), slits.size() + 1);
            const QRectF outline = cut[0];
            const double latticeTop = lattice.y() * mmPerDot;
            for (size_t i = 0; i < slits.size(); ++i) {
                SCOPED_TRACE(testing::Message() << "slit " << i);
                const QRectF slit = cut[i + 1];
                // Every slit, the first and the last too, loses the kerf: half on each edge.
                EXPECT_NEAR(slit.width(), g.slitMm() - kerf, 1e-3);
                EXPECT_NEAR(slit.left(), (lattice.x() + slits[i].first) * mmPerDot + kerf / 2,
                            1e-3);
                EXPECT_NEAR(slit.top(), latticeTop + kerf / 2, 1e-3);
                EXPECT_NEAR(slit.height(), g.heightMm() - kerf, 1e-3);
                // On the stripes: slit i starts where period i does.
                EXPECT_EQ(slits[i].first, int(i) * g.periodDots);
                if (i > 0) {
                    EXPECT_GT(slit.left() - cut[i].right(), 0.1) << "apart";
                }
                // Inside the outline, 5 mm or more from it.
                EXPECT_GE(slit.left() - outline.left(), 5.0);
                EXPECT_GE(outline.right() - slit.right(), 5.0);
                EXPECT_GE(slit.top() - outline.top(), 5.0);
                EXPECT_GE(outline.bottom() - slit.bottom(), 5.0);
            }
            // The slits cover every column the lattice slides over the picture.
            EXPECT_GE((slits.back().first + g.periodDots) * mmPerDot,
                      g.widthMm() + g.periodMm() - mmPerDot);
        }
    }

    // A kerf as wide as the slit would cut the slits away: refused, nothing written.
    const SheetGeometry g =
        layOutSheet(SheetChoices{Paper::A4, false, 1.0, 600, 150.0}, 3, QSize(640, 480));
    const QString refused = temp.filePath(QStringLiteral("refused.svg"));
    EXPECT_THROW(writeLatticeSvg(refused, g, g.slitMm()), SheetRefused);
    EXPECT_THROW(writeLatticeSvg(refused, g, -0.1), SheetRefused);
    EXPECT_FALSE(QFile::exists(refused));
    EXPECT_THROW(writeLatticeSvg(temp.filePath(QStringLiteral("no/such/folder/a.svg")), g),
                 FileNotWritten);
}

} // namespace
