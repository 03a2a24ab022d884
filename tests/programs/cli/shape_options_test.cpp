#include "cli/cli_errors.h"
#include "cli/shape_options.h"

#include <gtest/gtest.h>

namespace
{

using cli::Shape;

cli::ShapeChoice read(const QStringList &arguments, std::initializer_list<Shape> accepted)
{
    QCommandLineParser parser;
    cli::addShapeOptions(parser, QStringLiteral("The shape."));
    if (!parser.parse(QStringList{QStringLiteral("lintaro-cli")} + arguments))
        throw cli::UsageError(parser.errorText());
    return cli::readShapeChoice(parser, accepted);
}

TEST(ShapeOptions, ReadTheShapeAndItsOwnMeasures)
{
    const auto all = {Shape::Straight, Shape::Disc, Shape::Lamp};
    const cli::ShapeChoice plain = read({}, all);
    EXPECT_EQ(plain.shape, Shape::Straight);
    EXPECT_EQ(plain.periods, 24);

    const cli::ShapeChoice disc = read({"--shape", "disc"}, all);
    EXPECT_EQ(disc.shape, Shape::Disc);
    EXPECT_EQ(disc.periods, 24);
    EXPECT_EQ(read({"--shape", "disc", "--periods", "4"}, all).periods, 4);
    EXPECT_EQ(read({"--shape=disc", "--periods=180"}, all).periods, 180);

    const cli::ShapeChoice lamp =
        read({"--shape", "lamp", "--inner-mm", "80.5", "--outer-mm", "90"}, all);
    EXPECT_EQ(lamp.shape, Shape::Lamp);
    EXPECT_DOUBLE_EQ(lamp.innerMm, 80.5);
    EXPECT_DOUBLE_EQ(lamp.outerMm, 90);
}

TEST(ShapeOptions, RefuseWhatTheCommandDoesNotMakeAndMeasuresOutOfPlace)
{
    const auto composed = {Shape::Straight, Shape::Disc};
    const auto all = {Shape::Straight, Shape::Disc, Shape::Lamp};
    const struct {
        QStringList arguments;
        std::initializer_list<Shape> accepted;
        const char *reason;
    } cases[] = {
        {{"--shape", "cone"}, composed, "--shape takes straight or disc, not \"cone\""},
        {{"--shape", "cone"}, all, "--shape takes straight, disc or lamp, not \"cone\""},
        {{"--shape", "lamp", "--inner-mm", "80", "--outer-mm", "90"},
         composed,
         "--shape lamp is made by 'lintaro-cli sheet'; this command takes straight or disc"},
        {{"--shape", "disc", "--periods", "3"},
         composed,
         "--periods takes a whole number from 4 to 180, not \"3\""},
        {{"--shape", "disc", "--periods", "181"}, composed, "not \"181\""},
        {{"--shape", "disc", "--periods", "2.5"}, composed, "not \"2.5\""},
        {{"--periods", "24"}, composed, "--periods applies to --shape disc only"},
        {{"--shape", "disc", "--inner-mm", "80"}, all, "--inner-mm applies to --shape lamp only"},
        {{"--outer-mm", "80"}, all, "--outer-mm applies to --shape lamp only"},
        {{"--shape", "lamp", "--inner-mm", "80"},
         all,
         "--shape lamp needs --inner-mm and --outer-mm"},
        {{"--shape", "lamp", "--inner-mm", "9", "--outer-mm", "90"},
         all,
         "--inner-mm takes a diameter from 10 to 2000 mm, not \"9\""},
        {{"--shape", "lamp", "--inner-mm", "80", "--outer-mm", "nan"},
         all,
         "--outer-mm takes a diameter"},
        {{"--shape", "lamp", "--inner-mm", "80", "--outer-mm", "80"},
         all,
         "--outer-mm must be larger than --inner-mm (80 mm)"},
        {{"--shape", "lamp", "--periods", "24", "--inner-mm", "80", "--outer-mm", "90"},
         all,
         "--periods applies to --shape disc only"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        try {
            read(c.arguments, c.accepted);
            ADD_FAILURE() << "accepted";
        } catch (const cli::UsageError &e) {
            EXPECT_TRUE(e.reason().contains(QLatin1String(c.reason))) << e.reason().toStdString();
        }
    }
}

} // namespace
