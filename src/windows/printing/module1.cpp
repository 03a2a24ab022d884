#include "printing/module1.h"

#include "platform/command_error.h"
#include "platform/message_service.h"
#include "platform/numeric.h"
#include "platform/print_service.h"
#include "state/program_state.h"

namespace module1
{

namespace
{

// Shows the print dialog and runs the steps of one document. Any failure ends the command;
// once the dialog was confirmed the document is abandoned on the way out, so a failed
// print never leaves a half-made page in the printer. A job that was confirmed but did not
// come out is told to the user, who would otherwise wait for a page; every other failure,
// a cancel included, stays silent.
template <typename Steps>
void printDocument(PrintService &printer, MessageService &messages, Steps &&steps)
{
    runSilently([&] {
        printer.showPrinter();
        try {
            steps();
        } catch (const PrintNotCompleted &e) {
            printer.abortDoc();
            reportPrintNotCompleted(messages, QString::fromStdString(e.reason()));
        } catch (...) {
            printer.abortDoc();
            throw;
        }
    });
}

// The lattice sheet at its natural width, as tall as the sheet height read before the
// paper and orientation were set.
void printLattice(PrintService &printer, const Surface &sheet, int orientation)
{
    const std::int32_t height = roundHalfEven(printer.pageHeightTwips());
    printer.setPaperSize(kPaperA4);
    printer.setOrientation(orientation);
    printer.paintPicture(sheet.image(), 0, 0, sheet.width() * 15.0, double(height));
}

} // namespace

void PrintPicture(ProgramState &state, PrintService &printer, MessageService &messages)
{
    const PrintChoices &choices = state.print;
    printDocument(printer, messages, [&] {
        if (choices.printPaper == 0)
            printer.setPaperSize(kPaperA4);
        else if (choices.printPaper == 1)
            printer.setPaperSize(kPaperB5);

        if (choices.printOrientation == 0)
            printer.setOrientation(kLandscape);
        else if (choices.printOrientation == 1)
            printer.setOrientation(kPortrait);

        if (choices.printSize == 0)
            printer.paintPicture(state.main.Picture3.image(), 0, 0);
        else if (choices.printSize == 1)
            printer.paintPicture(state.main.Picture11.image(), 0, 0);

        printer.endDoc();
    });
}

void PrintLatticeSheet(ProgramState &state, PrintService &printer, MessageService &messages)
{
    const PrintChoices &choices = state.print;
    printDocument(printer, messages, [&] {
        if (choices.printOrientation == 0)
            printLattice(printer, state.main.Picture4, kLandscape);
        else if (choices.printOrientation == 1)
            printLattice(printer, state.main.Picture40, kPortrait);
        printer.endDoc();
    });
}

} // namespace module1
