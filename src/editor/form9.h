#pragma once

#include "ui/program_window.h"

struct ProgramState;
struct Platform;
class form1;

// The picture editor.
class form9 : public ProgramWindow {
    Q_OBJECT
public:
    form9(ProgramState &state, Platform &platform, form1 &main);

private:
    ProgramState &state_;
    Platform &platform_;
    form1 &main_;
};
