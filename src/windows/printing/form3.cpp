#include "printing/form3.h"

#include "printing/module1.h"

Form3::Form3(ProgramState &state, Platform &platform, MainWindowLink &main)
    : PrintDialog(QStringLiteral("線の印刷"), 5205, 4005, state, platform, main)
{
    setupControls(this);
    connectPaperControls(this);
}

void Form3::Form_Activate()
{
    // The same reset as the picture-print dialog, whose choices these are too.
    resetPaperAndOrientation(this);
}

void Form3::Option1_Click(int index)
{
    storePaper(index);
}

void Form3::Option2_Click(int index)
{
    storeOrientation(index);
}

void Form3::Command1_Click(int index)
{
    printOrCancel(index == kOkButton, module1::PrintLatticeSheet);
}
