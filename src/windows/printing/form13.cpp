#include "printing/form13.h"
#include "ui/main_window_link.h"

#include "platform/platform.h"
#include "printing/module1.h"
#include "printing/option_group.h"
#include "state/program_state.h"

Form13::Form13(ProgramState &state, Platform &platform, MainWindowLink &main)
    : ProgramWindow(QStringLiteral("絵の印刷"), 5580, 3450), state_(state), platform_(platform),
      main_(main)
{
    setupControls(this);
    connectOptionClicks(Option1, this, &Form13::Option1_Click);
    connectOptionClicks(Option2, this, &Form13::Option2_Click);
    connectOptionClicks(Option3, this, &Form13::Option3_Click);
    for (int i = 0; i < 2; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
}

void Form13::Form_Activate()
{
    // Paper and orientation start again from A4 and landscape on every activation; the
    // picture size keeps its last choice.
    PrintChoices &choices = state_.print;
    choices.printPaper = 0;
    choices.printOrientation = 0;
    selectOption(Option1, int(choices.printPaper), this, &Form13::Option1_Click);
    selectOption(Option2, int(choices.printOrientation), this, &Form13::Option2_Click);
}

void Form13::Option1_Click(int index)
{
    state_.print.printPaper = index;
}

void Form13::Option2_Click(int index)
{
    state_.print.printOrientation = index;
}

void Form13::Option3_Click(int index)
{
    state_.print.printSize = index;
}

void Form13::Command1_Click(int index)
{
    if (index == 0)
        module1::PrintPicture(state_, platform_.printer, platform_.messages);
    hide();
    main_.showAndActivate();
}
