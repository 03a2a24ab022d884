#pragma once

#include "ui/program_window.h"

struct ProgramState;
struct Platform;
class form1;

// The picture-print dialog.
class Form13 : public ProgramWindow {
    Q_OBJECT
public:
    Form13(ProgramState &state, Platform &platform, form1 &main);

private:
    ProgramState &state_;
    Platform &platform_;
    form1 &main_;
};
