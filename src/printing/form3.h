#pragma once

#include "ui/program_window.h"

struct ProgramState;
struct Platform;
class form1;

// The line-sheet print dialog.
class Form3 : public ProgramWindow {
    Q_OBJECT
public:
    Form3(ProgramState &state, Platform &platform, form1 &main);

private:
    ProgramState &state_;
    Platform &platform_;
    form1 &main_;
};
