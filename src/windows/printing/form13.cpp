#include "printing/form13.h"

#include "printing/module1.h"
#include "state/program_state.h"

Form13::Form13(ProgramState &state, Platform &platform, MainWindowLink &main)
    : PrintDialog(QStringLiteral("絵の印刷"), 5580, 3450, state, platform, main)
{
    setupControls(this);
    connectPaperControls(this);
    connectOptionClicks(Option3, this, &Form13::Option3_Click);
}

void Form13::Form_Activate()
{
    // The picture size keeps its last choice.
    resetPaperAndOrientation(this);
}

void Form13::Option1_Click(int index)
{
    storePaper(index);
}

void Form13::Option2_Click(int index)
{
    storeOrientation(index);
}

void Form13::Option3_Click(int index)
{
    state_.print.printSize = index;
}

void Form13::Command1_Click(int index)
{
    printOrCancel(index == kOkButton, module1::PrintPicture);
}
