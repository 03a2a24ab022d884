#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

// The controls both print dialogs, "線の印刷" and "絵の印刷", have: the paper, the
// orientation, and "ＯＫ" and "やめる"; with the indices of their arrays.
struct PaperDialogControls {
    QPushButton *Command1[2] = {}; // "ＯＫ", "やめる"
    static constexpr int kOkButton = 0, kCancelButton = 1;
    QGroupBox *Frame2 = nullptr;   // "紙の向き"
    QRadioButton *Option2[2] = {}; // "横長", "たて長"
    static constexpr int kLandscape = 0, kPortrait = 1;
    QGroupBox *Frame1 = nullptr;   // "紙の大きさ"
    QRadioButton *Option1[2] = {}; // "Ａ４", "Ｂ５"
    static constexpr int kA4 = 0, kB5 = 1;
};
