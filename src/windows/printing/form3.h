#pragma once

#include "ui/form3_controls.h"
#include "ui/program_window.h"

struct ProgramState;
struct Platform;
class MainWindowLink;

// The line-sheet print dialog: the orientation of the lattice sheet, stored at each click.
class Form3 : public ProgramWindow, public Form3Controls {
    Q_OBJECT
public:
    Form3(ProgramState &state, Platform &platform, MainWindowLink &main);

    void Form_Activate() override;
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Command1_Click(int index);

private:
    ProgramState &state_;
    Platform &platform_;
    MainWindowLink &main_;
};
