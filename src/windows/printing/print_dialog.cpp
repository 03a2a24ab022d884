#include "printing/print_dialog.h"

#include "platform/platform.h"
#include "state/program_state.h"
#include "ui/main_window_link.h"

PrintDialog::PrintDialog(const QString &caption, int clientWidthTwips, int clientHeightTwips,
                         ProgramState &state, Platform &platform, MainWindowLink &main)
    : ProgramWindow(caption, clientWidthTwips, clientHeightTwips), state_(state),
      platform_(platform), main_(main)
{
}

void PrintDialog::storePaper(int index)
{
    state_.print.printPaper = index;
}

void PrintDialog::storeOrientation(int index)
{
    state_.print.printOrientation = index;
}

void PrintDialog::printOrCancel(bool print, PrintFunction printPage)
{
    if (print)
        printPage(state_, platform_.printer, platform_.messages);
    hide();
    main_.showAndActivate();
}
