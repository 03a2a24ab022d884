#pragma once

#include "platform/interval_timer.h"
#include "sheet/shape_sheet.h"
#include "sheet/sheet_choices.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_picture.h"
#include "sheet_window/sheet_window_controls.h"
#include "sources/frame_preparation.h"
#include "ui/program_window.h"

#include <QPointer>
#include <QSize>

#include <memory>
#include <vector>

struct Platform;
// The print-sheet window 「印刷用シート」: the sheet of a list of 2 to 8 frame pictures at
// true size, as a PDF, on the printer, and its lattice as SVG; and the calibration page.
// It shows the slit and the period as they come out in whole printer dots beside the slit
// asked for, and both pages in a preview that follows the choices. A sheet is composed and
// written on a thread of its own, with progress and 「中止」 when it takes long. The sheet is
// of the shape it is given: flat, or a rotating disc or a lamp's two strips, with the
// shape's own figures and cut file.
class SheetWindow : public ProgramWindow, public SheetWindowControls
{
    Q_OBJECT
  public:
    // canvasAspect: the proportions of the canvas the frames are fitted onto; preparation:
    // how each frame is fitted and made ready on the sheet's canvas; shape: the sheet's shape
    // and its measures.
    SheetWindow(Platform &platform, std::vector<sheet::FramePicture> frames, QSize canvasAspect,
                const sources::Preparation &preparation = {}, const sheet::ShapeChoices &shape = {},
                QWidget *parent = nullptr);
    ~SheetWindow() override;

    // The pictures of the next sheet, when the window is shown again for other pictures.
    void setFrames(std::vector<sheet::FramePicture> frames, QSize canvasAspect,
                   const sources::Preparation &preparation = {},
                   const sheet::ShapeChoices &shape = {});
    // The choices as the controls hold them now.
    sheet::SheetChoices choices() const;

    // The buttons' commands.
    void saveSheet();        // 「PDFで保存」
    void printSheet();       // 「印刷」
    void saveLattice();      // 「格子をSVGで保存」
    void saveCalibration();  // 「調整用シートの保存」
    void printCalibration(); // 「調整用シートの印刷」

    // The clock that redraws the page preview a moment after the last change.
    IntervalTimer &previewTimer() const { return *previewTimer_; }

  protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    // Shows the real slit, period and picture size for the choices, or why there is no
    // sheet for them.
    void updateFigures();
    // The disc's or the lamp's figures for a sheet laid out.
    void showShapeFigures(const sheet::ShapeSheet &laidOut);
    // A paper option: the size boxes are the user's only while 「指定の大きさ」 is chosen.
    void paperClicked();
    // 「紙に入る最大」: the width box is the user's only while it is not ticked.
    void largestWidthClicked();
    // The sheet's layout for the current choices, or nothing after telling the user why.
    std::optional<sheet::ShapeSheet> layOutOrTell();
    // Whether the calibration page fits the paper chosen, after telling the user when not.
    bool calibrationFitsOrTell();
    // A file name from the save dialog, with the suffix added when it was left off.
    std::optional<QString> askSavePath(const QString &filter, const QString &suffix);
    // Runs a sheet's long work off the window's thread (see runInBackground), the window
    // closed to the user meanwhile. False when it was cancelled.
    bool runSheetWork(const QString &label,
                      const std::function<void(const sheet::SheetProgress &)> &work);

    // The page preview: asked for after every change, drawn a moment after the last.
    void schedulePreview();
    void drawPreview();
    // The frames fitted and prepared onto a canvas of `size` for the preview, kept while
    // the size stays.
    const std::vector<QImage> &previewFrames(QSize size);

    Platform &platform_;
    std::vector<sheet::FramePicture> frames_;
    QSize canvasAspect_;
    sources::Preparation preparation_;
    sheet::ShapeChoices shape_;
    // The frames reduced to what any preview shows, and their last fitting.
    std::vector<sheet::FramePicture> previewSources_;
    QSize fittedSize_;
    std::vector<QImage> fitted_;
    std::unique_ptr<IntervalTimer> previewTimer_;
    bool working_ = false;
};

// Shows the sheet window `window` for these frames: a new one when there is none, else the
// open one with the frames replaced. It closes for good when its close box is used.
void showSheetWindow(QPointer<SheetWindow> &window, Platform &platform,
                     std::vector<sheet::FramePicture> frames, QSize canvasAspect,
                     const sources::Preparation &preparation = {},
                     const sheet::ShapeChoices &shape = {});
