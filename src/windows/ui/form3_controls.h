#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

class ProgramWindow;

// The controls of the line-sheet print dialog, "線の印刷", as the window is created.
struct Form3Controls {
    QPushButton *Command1[2] = {}; // "ＯＫ", "やめる"
    QGroupBox *Frame2 = nullptr;   // "紙の向き"
    QRadioButton *Option2[2] = {}; // "横長", "たて長"
    QGroupBox *Frame1 = nullptr;   // "紙の大きさ"
    QRadioButton *Option1[2] = {}; // "Ａ４", "Ｂ５" (hidden: the sheet goes on A4 only)

    void setupControls(ProgramWindow *window);
};
