#pragma once

#include "ui/form2_controls.h"
#include "ui/program_window.h"

struct ProgramState;
struct Platform;
class MainWindowLink;

// The line-width dialog: the pending width lives in HScroll1 until "OK" applies it.
class Form2 : public ProgramWindow, public Form2Controls {
    Q_OBJECT
public:
    Form2(ProgramState &state, Platform &platform, MainWindowLink &main);

    void Form_Activate() override;
    void HScroll1_Change();
    void Command1_Click(int index);
    void Command2_Click();

private:
    ProgramState &state_;
    Platform &platform_;
    MainWindowLink &main_;
};
