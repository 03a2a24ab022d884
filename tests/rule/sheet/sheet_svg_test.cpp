#include "platform/command_error.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_render.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The lattice as SVG for cutters and plotters: its size and every bar in millimetres, with
// and without the cutter's kerf.
namespace
{

using namespace sheet;

struct Svg {
    QString width, height;
    QList<double> viewBox;
    std::vector<std::pair<double, double>> bars; // left and right edges, mm
};

Svg readSvg(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    Svg svg;
    static const QRegularExpression head(
        QStringLiteral(R"x(<svg width="([^"]+)" height="([^"]+)"\s+viewBox="([^"]+)")x"));
    const auto m = head.match(text);
    EXPECT_TRUE(m.hasMatch()) << text.left(400).toStdString();
    svg.width = m.captured(1);
    svg.height = m.captured(2);
    for (const QString &n : m.captured(3).split(QLatin1Char(' ')))
        svg.viewBox << n.toDouble();
    static const QRegularExpression rect(
        QStringLiteral(R"x(<rect x="([^"]+)" y="([^"]+)" width="([^"]+)" height="([^"]+)")x"));
    for (auto it = rect.globalMatch(text); it.hasNext();) {
        const auto r = it.next();
        svg.bars.push_back(
            {r.captured(1).toDouble(), r.captured(1).toDouble() + r.captured(3).toDouble()});
    }
    return svg;
}

TEST(SheetSvg, BarsInMillimetresWithAndWithoutKerf)
{
    QTemporaryDir temp;
    const SheetChoices choices{Paper::A4, false, 1.0, 600, 150.0};
    const SheetGeometry g = layOutSheet(choices, 3, QSize(640, 480));
    const QRect lattice = g.latticeDots();
    const double mmPerDot = 25.4 / 600;
    for (const double kerf : {0.0, 0.1}) {
        SCOPED_TRACE(testing::Message() << "kerf " << kerf);
        const QString path = temp.filePath(QStringLiteral("lattice.svg"));
        writeLatticeSvg(path, g, kerf);
        const Svg svg = readSvg(path);
        // Qt writes six significant digits: a thousandth of a millimetre at these sizes.
        EXPECT_TRUE(svg.width.endsWith(QStringLiteral("mm")));
        EXPECT_NEAR(svg.width.chopped(2).toDouble(), lattice.width() * mmPerDot, 1e-3);
        EXPECT_NEAR(svg.height.chopped(2).toDouble(), lattice.height() * mmPerDot, 1e-3);
        ASSERT_EQ(svg.viewBox.size(), 4);
        EXPECT_NEAR(svg.viewBox[2], lattice.width() * mmPerDot, 1e-3);
        EXPECT_NEAR(svg.viewBox[3], lattice.height() * mmPerDot, 1e-3);

        const auto bars = latticeBars(g);
        ASSERT_EQ(svg.bars.size(), bars.size());
        for (size_t i = 0; i < bars.size(); ++i) {
            const double left = bars[i].first == 0 ? 0 : bars[i].first * mmPerDot - kerf / 2;
            const double right = bars[i].second == lattice.width()
                                     ? lattice.width() * mmPerDot
                                     : bars[i].second * mmPerDot + kerf / 2;
            EXPECT_NEAR(svg.bars[i].first, left, 1e-3) << "bar " << i;
            EXPECT_NEAR(svg.bars[i].second, right, 1e-3) << "bar " << i;
        }
        // The slits between bars: the sheet's slit, narrowed by the kerf.
        EXPECT_NEAR(svg.bars[1].first - svg.bars[0].second, g.slitMm() - kerf, 2e-3);
    }

    // A kerf as wide as the slit would cut the slits away: refused, nothing written.
    const QString refused = temp.filePath(QStringLiteral("refused.svg"));
    EXPECT_THROW(writeLatticeSvg(refused, g, g.slitMm()), SheetRefused);
    EXPECT_THROW(writeLatticeSvg(refused, g, -0.1), SheetRefused);
    EXPECT_FALSE(QFile::exists(refused));
    EXPECT_THROW(writeLatticeSvg(temp.filePath(QStringLiteral("no/such/folder/a.svg")), g),
                 FileNotWritten);
}

} // namespace
