#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

class ProgramWindow;

// The controls of the print-sheet window 「印刷用シート」, as the window is created.
struct SheetWindowControls {
    QGroupBox *Frame1 = nullptr;     // "紙の大きさ"
    QRadioButton *Option1[3] = {};   // "Ａ４", "Ｂ５", "レター"
    QGroupBox *Frame2 = nullptr;     // "紙の向き"
    QRadioButton *Option2[2] = {};   // "たて長", "横長"
    QGroupBox *Frame3 = nullptr;     // "スリットと解像度"
    QDoubleSpinBox *Text1 = nullptr; // the slit in mm
    QComboBox *Combo1 = nullptr;     // the printer's dots per inch
    QLabel *Label1[2] = {};          // the real slit, the real period
    QGroupBox *Frame4 = nullptr;     // "絵の幅"
    QCheckBox *Check1 = nullptr;     // "紙に入る最大"
    QDoubleSpinBox *Text2 = nullptr; // the picture width in mm
    QLabel *Label2 = nullptr;        // the picture's size on paper
    QGroupBox *Frame5 = nullptr;     // "SVG の切り幅"
    QDoubleSpinBox *Text3 = nullptr; // the kerf in mm
    QLabel *Label3 = nullptr;        // why the sheet cannot be made, when it cannot
    QPushButton *Command1[6] = {};   // "PDFで保存", "印刷", "格子をSVGで保存",
                                   // "調整用シートの保存", "調整用シートの印刷", "とじる"

    void setupControls(ProgramWindow *window);
};
