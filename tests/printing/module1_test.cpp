#include "printing/module1.h"
#include "support/program_fixture.h"

namespace {

using Calls = std::vector<QString>;

Calls callsOf(std::initializer_list<const char *> names)
{
    Calls calls;
    for (const char *n : names)
        calls.push_back(QString::fromLatin1(n));
    return calls;
}

class PrintProcedures : public ProgramFixture {
protected:
    void choose(double paper, double orientation, double size)
    {
        state.print.printPaper = paper;
        state.print.printOrientation = orientation;
        state.print.printSize = size;
    }
};

struct PictureCase {
    double paper, orientation, size;
    Calls calls;
    int pictureWidth; // 0: nothing painted
};

TEST_F(PrintProcedures, PrintPictureFollowsTheChoices)
{
    const std::vector<PictureCase> cases = {
        {0, 0, 0, callsOf({"showPrinter", "paper 9", "orientation 2", "paint", "endDoc"}), 320},
        {1, 0, 0, callsOf({"showPrinter", "paper 13", "orientation 2", "paint", "endDoc"}), 320},
        {0, 1, 1, callsOf({"showPrinter", "paper 9", "orientation 1", "paint", "endDoc"}), 640},
        {1, 1, 1, callsOf({"showPrinter", "paper 13", "orientation 1", "paint", "endDoc"}), 640},
        // Values no dialog stores leave the printer as the print dialog set it.
        {2, 3, 0, callsOf({"showPrinter", "paint", "endDoc"}), 320},
        {0, 0, 2, callsOf({"showPrinter", "paper 9", "orientation 2", "endDoc"}), 0},
    };
    for (const PictureCase &c : cases) {
        SCOPED_TRACE(QStringLiteral("paper %1 orientation %2 size %3")
                         .arg(c.paper)
                         .arg(c.orientation)
                         .arg(c.size)
                         .toStdString());
        printer = RecordingPrinter();
        choose(c.paper, c.orientation, c.size);
        module1::PrintPicture(state, printer);
        EXPECT_EQ(printer.calls, c.calls);
        EXPECT_FALSE(printer.documentOpen);
        if (c.pictureWidth == 0) {
            EXPECT_TRUE(printer.painted.empty());
            continue;
        }
        ASSERT_EQ(printer.painted.size(), 1u);
        const auto &p = printer.painted.front();
        EXPECT_EQ(p.picture.width(), c.pictureWidth);
        EXPECT_EQ(p.x, 0);
        EXPECT_EQ(p.y, 0);
        // Natural size: no size given.
        EXPECT_FALSE(p.width);
        EXPECT_FALSE(p.height);
    }
}

TEST_F(PrintProcedures, PrintPicturePaintsTheCurrentComposedPicture)
{
    surfaces().Picture3.fillBox(5, 6, 7, 8, rgb(1, 2, 3));
    surfaces().Picture11.fillBox(0, 0, 3, 3, rgb(4, 5, 6));
    choose(0, 0, 0);
    module1::PrintPicture(state, printer);
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture, surfaces().Picture3.image());

    choose(0, 0, 1);
    module1::PrintPicture(state, printer);
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture, surfaces().Picture11.image());
    EXPECT_EQ(printer.pagesOut, 2);
}

TEST_F(PrintProcedures, ACancelledPrintDialogPrintsNothing)
{
    printer.cancelDialog = true;
    module1::PrintPicture(state, printer);
    module1::PrintLatticeSheet(state, printer);
    EXPECT_EQ(printer.calls, callsOf({"showPrinter", "showPrinter"}));
    EXPECT_EQ(printer.pagesOut, 0);
}

TEST_F(PrintProcedures, AFailureAbandonsTheBegunDocumentSilently)
{
    for (const char *step : {"paper", "orientation", "paint", "endDoc"}) {
        SCOPED_TRACE(step);
        printer = RecordingPrinter();
        printer.failAt = QString::fromLatin1(step);
        EXPECT_NO_THROW(module1::PrintPicture(state, printer));
        EXPECT_EQ(printer.calls.back(), QStringLiteral("abortDoc"));
        EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "abortDoc"), 1);
        EXPECT_FALSE(printer.documentOpen);
        EXPECT_EQ(printer.pagesOut, 0);
    }
    for (const char *step : {"pageHeight", "paper", "orientation", "paint", "endDoc"}) {
        SCOPED_TRACE(std::string("lattice ") + step);
        printer = RecordingPrinter();
        printer.failAt = QString::fromLatin1(step);
        EXPECT_NO_THROW(module1::PrintLatticeSheet(state, printer));
        EXPECT_EQ(printer.calls.back(), QStringLiteral("abortDoc"));
        EXPECT_FALSE(printer.documentOpen);
        EXPECT_EQ(printer.pagesOut, 0);
    }
}

TEST_F(PrintProcedures, TheFailedStepIsTheLastOneTried)
{
    printer.failAt = QStringLiteral("paper");
    module1::PrintPicture(state, printer);
    EXPECT_EQ(printer.calls, callsOf({"showPrinter", "paper 9", "abortDoc"}));
}

TEST_F(PrintProcedures, LatticeReadsTheSheetHeightBeforeSettingPaperAndOrientation)
{
    struct Case {
        double orientation;
        const char *orientationCall;
        int width;
    };
    for (const Case &c : {Case{0, "orientation 2", 1030}, Case{1, "orientation 1", 672}}) {
        SCOPED_TRACE(c.width);
        printer = RecordingPrinter();
        printer.pageHeight = 11906.5; // rounded half to even: 11906
        state.print.printOrientation = c.orientation;
        module1::PrintLatticeSheet(state, printer);
        EXPECT_EQ(printer.calls, callsOf({"showPrinter", "pageHeight", "paper 9", c.orientationCall,
                                          "paint", "endDoc"}));
        ASSERT_EQ(printer.painted.size(), 1u);
        const auto &p = printer.painted.front();
        EXPECT_EQ(p.picture.width(), c.width);
        EXPECT_EQ(p.x, 0);
        EXPECT_EQ(p.y, 0);
        EXPECT_EQ(p.width, c.width * 15.0);
        EXPECT_EQ(p.height, 11906.0);
    }
    printer = RecordingPrinter();
    printer.pageHeight = 16837.5;
    state.print.printOrientation = 0;
    module1::PrintLatticeSheet(state, printer);
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].height, 16838.0);
}

TEST_F(PrintProcedures, LatticePaintsTheCurrentSheets)
{
    state.print.printOrientation = 0;
    module1::PrintLatticeSheet(state, printer);
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture, surfaces().Picture4.image());
    state.print.printOrientation = 1;
    module1::PrintLatticeSheet(state, printer);
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture, surfaces().Picture40.image());
}

TEST_F(PrintProcedures, LatticeAlwaysGoesOnA4)
{
    for (double paper : {0.0, 1.0, 7.0}) {
        printer = RecordingPrinter();
        state.print.printPaper = paper;
        state.print.printOrientation = 1;
        module1::PrintLatticeSheet(state, printer);
        EXPECT_EQ(printer.paperSize, 9) << paper;
    }
}

TEST_F(PrintProcedures, LatticeWithAnUnknownOrientationEndsAnEmptyDocument)
{
    state.print.printOrientation = 5;
    module1::PrintLatticeSheet(state, printer);
    EXPECT_EQ(printer.calls, callsOf({"showPrinter", "endDoc"}));
    EXPECT_EQ(printer.pagesOut, 0);
    EXPECT_FALSE(printer.documentOpen);
}

} // namespace
