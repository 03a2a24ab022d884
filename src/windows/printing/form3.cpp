#include "printing/form3.h"
#include "ui/main_window_link.h"

#include "platform/platform.h"
#include "printing/module1.h"
#include "printing/option_group.h"
#include "state/program_state.h"

Form3::Form3(ProgramState &state, Platform &platform, MainWindowLink &main)
    : ProgramWindow(QStringLiteral("線の印刷"), 5205, 4005), state_(state), platform_(platform),
      main_(main)
{
    setupControls(this);
    connectOptionClicks(Option1, this, &Form3::Option1_Click);
    connectOptionClicks(Option2, this, &Form3::Option2_Click);
    for (int i = 0; i < 2; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
}

void Form3::Form_Activate()
{
    // The same reset as the picture-print dialog, whose choices these are too.
    PrintChoices &choices = state_.print;
    choices.printPaper = 0;
    choices.printOrientation = 0;
    selectOption(Option1, int(choices.printPaper), this, &Form3::Option1_Click);
    selectOption(Option2, int(choices.printOrientation), this, &Form3::Option2_Click);
}

void Form3::Option1_Click(int index)
{
    state_.print.printPaper = index;
}

void Form3::Option2_Click(int index)
{
    state_.print.printOrientation = index;
}

void Form3::Command1_Click(int index)
{
    if (index == 0)
        module1::PrintLatticeSheet(state_, platform_.printer, platform_.messages);
    hide();
    main_.showAndActivate();
}
