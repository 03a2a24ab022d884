#include "printing/module1.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

namespace
{

using Calls = std::vector<std::string>;
// Prints with the choices (paper, orientation, size) and checks the calls made and the one
// picture painted at the top-left corner (nothing painted when `picture` is null), at the
// given size in twips.
class PrintProcedures : public ProgramFixture
{
  protected:
    void expectPrint(void (*procedure)(ProgramState &, PrintService &, MessageService &),
                     PrintChoices choices, const Calls &calls, const Surface *picture,
                     std::optional<double> width = {}, std::optional<double> height = {})
    {
        SCOPED_TRACE(testing::Message() << choices.printPaper << " " << choices.printOrientation
                                        << " " << choices.printSize);
        state.print = choices;
        procedure(state, printer, messages);
        EXPECT_EQ(printer.calls, calls);
        EXPECT_FALSE(printer.documentOpen);
        EXPECT_EQ(printer.pagesOut, picture ? 1 : 0);
        ASSERT_EQ(printer.painted.size(), picture ? 1u : 0u);
        if (picture) {
            const auto &p = printer.painted[0];
            EXPECT_TRUE(pixels::sameImage(p.picture, picture->image()));
            EXPECT_EQ(QPointF(p.x, p.y), QPointF(0, 0));
            EXPECT_EQ(p.width, width);
            EXPECT_EQ(p.height, height);
        }
        printer = RecordingPrinter();
    }
};

// Paper, orientation and picture size as chosen, at the picture's natural size; values no
// dialog stores leave the printer as the print dialog set it.
TEST_F(PrintProcedures, PrintPictureFollowsTheChoices)
{
    surfaces().Picture3.fillBox(5, 6, 7, 8, rgb(1, 2, 3));
    surfaces().Picture11.fillBox(0, 0, 3, 3, rgb(4, 5, 6));
    const Surface *normal = &surfaces().Picture3, *large = &surfaces().Picture11;
    const auto print = module1::PrintPicture;
    expectPrint(print, {0, 0, 0}, {"showPrinter", "paper 9", "orientation 2", "paint", "endDoc"},
                normal);
    expectPrint(print, {1, 1, 1}, {"showPrinter", "paper 13", "orientation 1", "paint", "endDoc"},
                large);
    expectPrint(print, {2, 3, 0}, {"showPrinter", "paint", "endDoc"}, normal);
    expectPrint(print, {0, 0, 2}, {"showPrinter", "paper 9", "orientation 2", "endDoc"}, nullptr);
}

// The lattice goes on A4 whatever paper was chosen, at its natural width, stretched to the
// sheet height read before the paper and orientation are set (rounded half to even).
TEST_F(PrintProcedures, LatticeTakesTheSheetHeightReadFirst)
{
    const auto print = module1::PrintLatticeSheet;
    const auto calls = [](const char *turn) {
        return Calls{"showPrinter", "pageHeight", "paper 9", turn, "paint", "endDoc"};
    };
    printer.pageHeight = 11906.5;
    expectPrint(print, {0, 0, 0}, calls("orientation 2"), &surfaces().Picture4, 1030 * 15.0, 11906);
    printer.pageHeight = 11906.5;
    expectPrint(print, {1, 1, 0}, calls("orientation 1"), &surfaces().Picture40, 672 * 15.0, 11906);
    printer.pageHeight = 16837.5;
    expectPrint(print, {7, 0, 0}, calls("orientation 2"), &surfaces().Picture4, 1030 * 15.0, 16838);
    expectPrint(print, {0, 5, 0}, {"showPrinter", "endDoc"}, nullptr);
}

TEST_F(PrintProcedures, ACancelledPrintDialogPrintsNothing)
{
    printer.cancelDialog = true;
    module1::PrintPicture(state, printer, messages);
    module1::PrintLatticeSheet(state, printer, messages);
    EXPECT_EQ(printer.calls, Calls({"showPrinter", "showPrinter"}));
    EXPECT_EQ(printer.pagesOut, 0);
}

// A failure after the dialog ends the command silently, the failed step being the last one
// tried, and abandons the begun document: no page.
TEST_F(PrintProcedures, AFailureAbandonsTheBegunDocument)
{
    for (const auto procedure : {module1::PrintPicture, module1::PrintLatticeSheet}) {
        for (const char *step : {"pageHeight", "paper", "orientation", "paint", "endDoc"}) {
            if (procedure == module1::PrintPicture && step == std::string("pageHeight"))
                continue;
            SCOPED_TRACE(step);
            printer = RecordingPrinter();
            printer.failAt = step;
            EXPECT_NO_THROW(procedure(state, printer, messages));
            ASSERT_GE(printer.calls.size(), 2u);
            EXPECT_EQ(printer.calls.back(), "abortDoc");
            EXPECT_EQ(printer.calls.end()[-2].rfind(step, 0), 0u) << printer.calls.end()[-2];
            EXPECT_FALSE(printer.documentOpen);
            EXPECT_EQ(printer.pagesOut, 0);
        }
    }
}

} // namespace
