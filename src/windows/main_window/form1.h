#pragma once

#include "editor/form9.h"
#include "frames_window/frames_window.h"
#include "platform/interval_timer.h"
#include "platform/picture_file.h"
#include "printing/form13.h"
#include "printing/form3.h"
#include "settings/form2.h"
#include "sheet_window/sheet_window.h"
#include "ui/form1_controls.h"
#include "ui/main_window_link.h"
#include "ui/program_window.h"

#include <QPointer>

#include <memory>

struct ProgramState;
struct Platform;
class Surface;

// The main window "Lintaro": picture 1 and picture 2, composing, the animation preview,
// saving, and the way to every other window. Closing it ends the program.
class form1 : public ProgramWindow, public Form1Controls, public MainWindowLink
{
    Q_OBJECT
  public:
    form1(ProgramState &state, Platform &platform);
    ~form1() override;

    ProgramState &state() const { return state_; }
    Platform &platform() const { return platform_; }
    IntervalTimer &Timer1() const { return *timer1_; }

    // Event handlers, one per control event.
    void Form_Load();                      // the window opens
    void Command1_Click(int index);        // kLoadPicture1 「絵１　読み込み」,
                                           // kLoadPicture2 「絵２　読み込み」, kCompose 「合成」
    void Command2_Click();                 // 「アニメーションはじめ」
    void Command3_Click();                 // 「アニメーションおわり」
    void Command4_Click();                 // 「合成した絵の保存」 (hidden)
    void Command5_Click();                 // 「おわり」 (hidden)
    void Command6_Click();                 // 「絵の印刷」 (hidden)
    void Command7_Click();                 // 「線の印刷」 (hidden)
    void Timer1_Timer();                   // the animation's clock
    void mnusave_Click();                  // 「ファイル」 > 「保存」
    void mnusaveanim_Click();              // 「ファイル」 > 「アニメーションを保存」
    void mnupicture_Click();               // 「ツール」 > 「絵の作成」
    void mnuframes_Click();                // 「ツール」 > 「コマアニメーション」
    void mnuprint2_Click();                // 「印刷」 > 「絵の印刷」
    void mnuprintsen_Click();              // 「印刷」 > 「線の印刷」
    void mnusheet_Click();                 // 「印刷」 > 「印刷用シート」
    void senhaba_Click();                  // 「設定」 > 「線の幅」
    void Image4_Drop(const QString &path); // a file dropped on picture 1's thumbnail
    void Image5_Drop(const QString &path); // a file dropped on picture 2's thumbnail

    // Brings the main window forward, as the dialogs do when they close.
    void showAndActivate() override;
    // Shows the line width the settings dialog applied.
    void showLineWidth(int width) override;

    // The secondary windows, created on first use and gone once their close box is used.
    form9 *editorWindow() const { return form9_; }
    FramesWindow *framesWindow() const { return framesWindow_; }
    Form2 *lineWidthDialog() const { return form2_; }
    Form3 *latticePrintDialog() const { return form3_; }
    Form13 *picturePrintDialog() const { return form13_; }
    SheetWindow *sheetWindow() const { return sheetWindow_; }

    // Loading the slots; also the road the editor's picture takes into picture 1 or 2.
    void OpenPicture1();
    void OpenPicture2();
    // Loads a picture file into slot 0 or 1 as the slot's load button does with that file
    // chosen in its dialog; false when the file did not load. The road of the command line.
    bool OpenPictureFile(int slot, const QString &path);
    // Fills slot 0 or 1 from a picture: stripe mask, clearing, placement, thumbnail.
    void FillSlot(int slot, const QImage &picture) override;
    void ComposePictures();
    void SaveComposed();
    // Writes one cycle of the preview, offsets 0 .. 2 lineWidth - 1 over Picture3, as an
    // animated GIF or WebP, as the chosen name says.
    void SaveAnimation();

  protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

  private:
    void OpenPicture(int slot);
    // The load that follows the dialog: mask, clearing, placement, thumbnail.
    void LoadPictureFile(int slot, const QString &path);
    void DropPicture(int slot, const QString &path);
    DecodedPicture DecodeForSlot(int slot, const QString &path) const;
    // Redraws the slot's stripe masks and empties its thumbnail and canvases.
    void ClearSlot(int slot);
    // Measures, fits and draws the picture on both canvases; shows the thumbnail. A picture
    // decoded at a reduced scale is measured at naturalSize, the size of the file's picture.
    void PlaceInSlot(int slot, const QImage &picture, QSize naturalSize = QSize());
    void StopAnimationPrologue();
    void CentreOnScreen();
    // Builds the pixels of every surface, so that the first press finds its memory ready.
    void PrepareSurfaces();
    void DrawAnimationFrame();
    template <typename Window> Window *showWindow(QPointer<Window> &window);

    ProgramState &state_;
    Platform &platform_;
    std::unique_ptr<IntervalTimer> timer1_;
    QPointer<form9> form9_;
    QPointer<FramesWindow> framesWindow_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form13> form13_;
    QPointer<SheetWindow> sheetWindow_;
    // The outer size the window was last centred by, and whether the window manager's
    // frame was known then.
    QSize centredFrame_;
    bool centredByFrame_ = false;
    bool painted_ = false;
};
