#pragma once

#include "frames_window/frame_slots.h"
#include "frames_window/frames_animation.h"
#include "frames_window/source_dialog.h"
#include "platform/interval_timer.h"
#include "platform/picture_holder.h"
#include "platform/surface.h"
#include "printing/frames_print.h"
#include "sheet/shape_sheet.h"
#include "sources/frame_preparation.h"
#include "ui/frames_controls.h"
#include "ui/program_window.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

struct ProgramState;
struct Platform;
class SheetWindow;

// The window "コマアニメーション": a stripe animation of 2 to 8 frames. The user fills a
// strip of frame slots, composes them under the chosen slit width and canvas size, watches
// the lattice slide over the composition, and saves or prints the composition and its
// lattice. The frames rule does the pixel work; this window only handles its controls.
class FramesWindow : public ProgramWindow, public FramesControls
{
    Q_OBJECT
  public:
    FramesWindow(ProgramState &state, Platform &platform);
    ~FramesWindow() override;

    const FrameSlots &frameSlots() const { return slots_; }
    const FramesAnimation &animation() const { return animation_; }
    IntervalTimer &PreviewTimer() const { return *timer_; }
    // The surface the preview shows: the composed picture, or a frame under the lattice.
    Surface PreviewSurface{640, 480};
    // The thumbnails of the strip's cells.
    std::vector<PictureHolder> Thumbnails;

    // Event handlers, one per control event.
    void SlotLoad_Click(int index);                      // 「読み込み」
    void SlotImage_Click(int index);                     // a slot's thumbnail
    void SlotImage_Drop(int index, const QString &path); // a file dropped on a thumbnail
    void SlotLeft_Click(int index);                      // 「←」
    void SlotRemove_Click(int index);                    // 「×」
    void SlotRight_Click(int index);                     // 「→」
    void AddSlot_Click();                                // 「コマを足す」
    void UseMainPictures_Click();                        // 「絵１・絵２を使う」
    void SizeOption_Click(int index); // 「320 × 240」, 「640 × 480」, 「大きさを入れる」
    void Compose_Click();             // 「合成」
    void StartPreview_Click();        // 「うごかす」
    void StopPreview_Click();         // 「とめる」
    void PreviewTimer_Timer();        // the preview's clock, every 100 ms
    void Preview_Drag(int travel); // the mouse dragged across the preview
    void Save_Click();             // 「保存」
    void SaveAnimation_Click();    // 「アニメーションを保存」
    void PrintPicture_Click();     // 「絵の印刷」
    void PrintLattice_Click();     // 「格子の印刷」
    void PrintSheet_Click();       // 「印刷用シート」
    void OpenSource_Click();       // 「動画・GIF から」
    void Preparation_Change(); // 「シルエット」, the threshold, 「反転」, 「切り抜き」
    void Shape_Click(int index); // 「平面」, 「円盤」, 「ランプ」
    void Periods_Change();       // 「周期」
    void Diameters_Change();     // 「内径」, 「外径」

    // Opens animations, videos or folders and shows the source dialog, which fills the
    // slots when accepted (what 「動画・GIF から」 and a drop on the window do).
    void OpenSources(const QStringList &paths);
    SourceDialog *sourceDialog() const { return sourceDialog_; }
    // How every frame is prepared, as the window's controls say.
    sources::Preparation FramePreparation() const;

    // The canvas the frames are fitted onto, as the size options say.
    QSize CanvasSize() const;
    // The rule of the chosen shape for `frameCount` frames: a lamp's picture strip is the
    // flat sheet's stripes, wrapped round its cylinder.
    shapes::ShapeRule ChosenRule(int frameCount) const;
    // The shape chosen, with its measures, for the print sheet.
    sheet::ShapeChoices ChosenSheetShape() const;

  protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    void LoadSlot(int index, const QString &path);
    // Whether two or more slots hold a picture; tells the user when not.
    bool EnoughFramesOrTell();
    void ShowSlots();
    void StopAnimation();
    void ShowPreviewFrame();
    void EnableComposedCommands();
    void PrintPage(const QImage &picture);
    // A composition made again for a new shape, its preview running on if it ran.
    void RecomposeForShape();
    void ShowShapeControls();
    void ShowLampFigures();
    // Work the window waits for. It calls `step` with the number of its steps done as it
    // goes; `step` throws sources::Cancelled once 「中止」 has been pressed.
    using Work = std::function<void(const std::function<void(int)> &step)>;
    // Runs `work` at once when `quick`; else on a thread of its own with a progress dialog
    // after half a second (see runInBackground) and the window's controls disabled until
    // it ends. Returns false when it was cancelled or could not start; rethrows what the
    // work threw.
    bool RunWork(const QString &label, int steps, bool quick, const Work &work);
    // Whether composing the frames onto the canvas is sure to be over in a moment.
    static bool QuickToCompose(const std::vector<FrameSlot> &frames, QSize canvas);
    // Whether saving a composed picture of this size and its lattice is.
    static bool QuickToSave(QSize picture);
    // Decodes the dialog's frames for the canvas in the background and puts them into the
    // strip, all or, when cancelled or failing, none.
    void FillFromSource(SourceDialog &dialog);

    ProgramState &state_;
    Platform &platform_;
    std::unique_ptr<IntervalTimer> timer_;
    FrameSlots slots_;
    FramesAnimation animation_;
    QPointer<SheetWindow> sheetWindow_;
    QPointer<SourceDialog> sourceDialog_;
    bool working_ = false;
};
