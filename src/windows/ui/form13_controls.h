#pragma once

#include "ui/paper_dialog_controls.h"

class ProgramWindow;

// The controls of the picture-print dialog, "絵の印刷", as the window is created.
struct Form13Controls : PaperDialogControls {
    QGroupBox *Frame3 = nullptr;   // "絵の大きさ"
    QRadioButton *Option3[2] = {}; // "普通", "大きい"
    static constexpr int kNormalSize = 0, kLargeSize = 1;

    void setupControls(ProgramWindow *window);
};
