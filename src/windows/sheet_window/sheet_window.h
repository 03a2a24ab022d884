#pragma once

#include "sheet/sheet_choices.h"
#include "sheet/sheet_picture.h"
#include "sheet_window/sheet_window_controls.h"
#include "ui/program_window.h"

#include <QPointer>
#include <QSize>

#include <vector>

struct Platform;
namespace sheet
{
struct SheetGeometry;
}

// The print-sheet window 「印刷用シート」: the sheet of a list of 2 to 8 frame pictures at
// true size, as a PDF, on the printer, and its lattice as SVG; and the calibration page.
// It shows the slit and the period as they come out in whole printer dots beside the slit
// asked for.
class SheetWindow : public ProgramWindow, public SheetWindowControls
{
    Q_OBJECT
  public:
    // canvasAspect: the proportions of the canvas the frames are fitted onto.
    SheetWindow(Platform &platform, std::vector<sheet::FramePicture> frames, QSize canvasAspect,
                QWidget *parent = nullptr);

    // The pictures of the next sheet, when the window is shown again for other pictures.
    void setFrames(std::vector<sheet::FramePicture> frames, QSize canvasAspect);
    // The choices as the controls hold them now.
    sheet::SheetChoices choices() const;

    void Option1_Click(int index);  // 「Ａ４」「Ｂ５」「レター」
    void Option2_Click(int index);  // 「たて長」「横長」
    void Text1_Change();            // the slit in mm
    void Combo1_Click();            // the printer's resolution
    void Check1_Click();            // 「紙に入る最大」
    void Text2_Change();            // the picture width in mm
    void Command1_Click(int index); // 「PDFで保存」「印刷」「格子をSVGで保存」
                                    // 「調整用シートの保存」「調整用シートの印刷」「とじる」

  private:
    // Shows the real slit, period and picture size for the choices, or why there is no
    // sheet for them.
    void UpdateFigures();
    void SaveSheet();
    void PrintSheet();
    void SaveLattice();
    void SaveCalibration();
    void PrintCalibration();
    // The sheet's layout for the current choices, or nothing after telling the user why.
    std::optional<sheet::SheetGeometry> LayOutOrTell();
    // A file name from the save dialog, with the suffix added when it was left off.
    std::optional<QString> AskSavePath(const QString &filter, const QString &suffix);

    Platform &platform_;
    std::vector<sheet::FramePicture> frames_;
    QSize canvasAspect_;
};

// Shows the sheet window `window` for these frames: a new one when there is none, else the
// open one with the frames replaced. It closes for good when its close box is used.
void showSheetWindow(QPointer<SheetWindow> &window, Platform &platform,
                     std::vector<sheet::FramePicture> frames, QSize canvasAspect);
