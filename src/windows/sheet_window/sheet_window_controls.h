#pragma once

#include "sheet/sheet_choices.h"
#include "sheet_window/sheet_preview_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <iterator>

class ProgramWindow;

// The controls of the print-sheet window 「印刷用シート」, as the window is created.
struct SheetWindowControls {
    // The papers the window offers, in the order of their options.
    static constexpr sheet::Paper kPapers[] = {
        sheet::Paper::A4, sheet::Paper::JisB5, sheet::Paper::Letter,
        sheet::Paper::A3, sheet::Paper::A2,    sheet::Paper::A1,
        sheet::Paper::A0, sheet::Paper::JisB4, sheet::Paper::Custom};
    static constexpr int kPaperCount = int(std::size(kPapers));

    QGroupBox *paperFrame = nullptr;             // "紙の大きさ"
    QRadioButton *paperChoice[kPaperCount] = {}; // "Ａ４", "Ｂ５", "レター", "Ａ３", "Ａ２",
                                                 // "Ａ１", "Ａ０", "Ｂ４", "指定の大きさ"
    QDoubleSpinBox *customWidthMm = nullptr;       // the paper of one's own size, upright,
    QDoubleSpinBox *customHeightMm = nullptr;      // in mm
    QGroupBox *orientationFrame = nullptr;         // "紙の向き"
    QRadioButton *uprightChoice = nullptr;         // "たて長"
    QRadioButton *landscapeChoice = nullptr;       // "横長"
    QGroupBox *slitFrame = nullptr;                // "スリットと解像度"
    QDoubleSpinBox *slitMm = nullptr;              // "スリットの幅", in mm
    QComboBox *dpiChoice = nullptr;                // "プリンタの解像度", dots per inch
    QLabel *realSlitLabel = nullptr;               // the slit in whole printer dots
    QLabel *realPeriodLabel = nullptr;             // the period in whole printer dots
    QGroupBox *widthFrame = nullptr;               // "絵の幅"
    QCheckBox *largestWidthCheck = nullptr;        // "紙に入る最大"
    QDoubleSpinBox *widthMm = nullptr;             // the picture width in mm
    QLabel *pictureSizeLabel = nullptr;            // the picture's size on paper
    QGroupBox *kerfFrame = nullptr;                // "SVG の切り幅"
    QDoubleSpinBox *kerfMm = nullptr;              // the cutter's kerf in mm
    QLabel *refusalLabel = nullptr;                // why there is no sheet, when there is none
    SheetPreviewView *pagePreview = nullptr;       // both pages, or why there are none
    QPushButton *saveSheetButton = nullptr;        // "PDFで保存"
    QPushButton *printSheetButton = nullptr;       // "印刷"
    QPushButton *saveLatticeButton = nullptr;      // "格子をSVGで保存"
    QPushButton *saveCalibrationButton = nullptr;  // "調整用シートの保存"
    QPushButton *printCalibrationButton = nullptr; // "調整用シートの印刷"
    QPushButton *closeButton = nullptr;            // "とじる"

    void setupControls(ProgramWindow *window);
};
