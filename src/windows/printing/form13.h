#pragma once

#include "ui/form13_controls.h"
#include "ui/program_window.h"

struct ProgramState;
struct Platform;
class MainWindowLink;

// The picture-print dialog: paper size, orientation and picture size, stored at each click.
class Form13 : public ProgramWindow, public Form13Controls {
    Q_OBJECT
public:
    Form13(ProgramState &state, Platform &platform, MainWindowLink &main);

    void Form_Activate() override;
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Option3_Click(int index);
    void Command1_Click(int index);

private:
    ProgramState &state_;
    Platform &platform_;
    MainWindowLink &main_;
};
