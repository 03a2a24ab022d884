#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

class ProgramWindow;

// The controls of the picture-print dialog, "絵の印刷", as the window is created.
struct Form13Controls {
    QGroupBox *Frame3 = nullptr;   // "絵の大きさ"
    QRadioButton *Option3[2] = {}; // "普通", "大きい"
    QPushButton *Command1[2] = {}; // "ＯＫ", "やめる"
    QGroupBox *Frame2 = nullptr;   // "紙の向き"
    QRadioButton *Option2[2] = {}; // "横長", "たて長"
    QGroupBox *Frame1 = nullptr;   // "紙の大きさ"
    QRadioButton *Option1[2] = {}; // "Ａ４", "Ｂ５"

    void setupControls(ProgramWindow *window);
};
