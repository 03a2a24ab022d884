#pragma once

#include "ui/paper_dialog_controls.h"

class ProgramWindow;

// The controls of the line-sheet print dialog, "線の印刷", as the window is created.
// Option1[kB5] is hidden: the sheet goes on A4 only.
struct Form3Controls : PaperDialogControls {

    void setupControls(ProgramWindow *window);
};
