#pragma once

#include "printing/option_group.h"
#include "ui/program_window.h"

#include <QPushButton>

struct ProgramState;
struct Platform;
class MainWindowLink;
class MessageService;
class PrintService;

// What the line-sheet and picture print dialogs share: the paper and orientation they store
// in the print choices at each click and reset on every activation, and "ＯＫ" and "やめる",
// which print or not and return to the main window. Each dialog keeps its own handlers,
// which call these.
class PrintDialog : public ProgramWindow
{
    Q_OBJECT
  protected:
    using PrintFunction = void (*)(ProgramState &, PrintService &, MessageService &);

    PrintDialog(const QString &caption, int clientWidthTwips, int clientHeightTwips,
                ProgramState &state, Platform &platform, MainWindowLink &main);

    // Raises the dialog's Option1_Click, Option2_Click and Command1_Click for its paper and
    // orientation options and its two buttons.
    template <class Dialog> void connectPaperControls(Dialog *dialog)
    {
        connectOptionClicks(dialog->Option1, dialog, &Dialog::Option1_Click);
        connectOptionClicks(dialog->Option2, dialog, &Dialog::Option2_Click);
        for (int i : {Dialog::kOkButton, Dialog::kCancelButton})
            connect(dialog->Command1[i], &QPushButton::clicked, this,
                    [dialog, i] { dialog->Command1_Click(i); });
    }
    // Paper and orientation start again from A4 and landscape on every activation: stored,
    // and selected in the options, whose click events run as a click's would.
    template <class Dialog> void resetPaperAndOrientation(Dialog *dialog)
    {
        storePaper(Dialog::kA4);
        storeOrientation(Dialog::kLandscape);
        selectOption(dialog->Option1, Dialog::kA4, dialog, &Dialog::Option1_Click);
        selectOption(dialog->Option2, Dialog::kLandscape, dialog, &Dialog::Option2_Click);
    }
    void storePaper(int index);
    void storeOrientation(int index);
    // "ＯＫ" (print) prints, "やめる" does not; either hides the dialog and brings the main
    // window forward.
    void printOrCancel(bool print, PrintFunction printPage);

    ProgramState &state_;
    Platform &platform_;
    MainWindowLink &main_;
};
