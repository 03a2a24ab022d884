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

    // The buttons' commands.
    void saveSheet();        // 「PDFで保存」
    void printSheet();       // 「印刷」
    void saveLattice();      // 「格子をSVGで保存」
    void saveCalibration();  // 「調整用シートの保存」
    void printCalibration(); // 「調整用シートの印刷」

  private:
    // Shows the real slit, period and picture size for the choices, or why there is no
    // sheet for them.
    void updateFigures();
    // A paper option: the size boxes are the user's only while 「指定の大きさ」 is chosen.
    void paperClicked();
    // 「紙に入る最大」: the width box is the user's only while it is not ticked.
    void largestWidthClicked();
    // The sheet's layout for the current choices, or nothing after telling the user why.
    std::optional<sheet::SheetGeometry> layOutOrTell();
    // Whether the calibration page fits the paper chosen, after telling the user when not.
    bool calibrationFitsOrTell();
    // A file name from the save dialog, with the suffix added when it was left off.
    std::optional<QString> askSavePath(const QString &filter, const QString &suffix);

    Platform &platform_;
    std::vector<sheet::FramePicture> frames_;
    QSize canvasAspect_;
};

// Shows the sheet window `window` for these frames: a new one when there is none, else the
// open one with the frames replaced. It closes for good when its close box is used.
void showSheetWindow(QPointer<SheetWindow> &window, Platform &platform,
                     std::vector<sheet::FramePicture> frames, QSize canvasAspect);
