#pragma once

#include "editor/editor_surfaces.h"
#include "platform/picture_file.h"
#include "ui/form9_controls.h"
#include "ui/program_window.h"

struct ProgramState;
struct Platform;
class MainWindowLink;

// The picture editor "絵の作成": an insert picture shows through the pure-yellow holes of a
// base picture; the insert picture can be zoomed and moved, and the result saved or put into
// picture 1 or picture 2 of the main window. Every activation starts it afresh. Its
// surfaces belong to the window; its zoom and offsets live in ProgramState::editor.
class form9 : public ProgramWindow, public EditorSurfaces, public Form9Controls
{
    Q_OBJECT
  public:
    form9(ProgramState &state, Platform &platform, MainWindowLink &main);

    // Event handlers, one per control event.
    void Form_Activate() override;         // the window becomes the active one
    void Command1_Click(int index);        // kLoadInsert 「読み込み」 (insert picture),
                                           // kLoadBase 「読み込み」 (base picture),
                                           // kComposeEditor 「合成」
    void Command2_Click(int index);        // kToPicture1 「絵１にいれる」,
                                           // kToPicture2 「絵２にいれる」, kBack 「もどる」
    void Command3_Click(int index);        // the move cross: kMoveHome 「0」,
                                           // kMoveRight 「→」, kMoveRightFar 「→→」,
                                           // kMoveLeft 「←」, kMoveLeftFar 「←←」,
                                           // kMoveUp 「↑」, kMoveUpFar 「↑↑」,
                                           // kMoveDown 「↓」, kMoveDownFar 「↓↓」
    void Command4_Click(int index);        // 「ズーム」: kZoomReset 「0」, kZoomIn 「↑」,
                                           // kZoomOut 「↓」, kZoomInFar 「↑↑」,
                                           // kZoomOutFar 「↓↓」
    void Image1_Click();                   // the insert picture's thumbnail
    void Image2_Click();                   // the base picture's thumbnail
    void Image1_Drop(const QString &path); // a file dropped on the insert thumbnail
    void Image2_Drop(const QString &path); // a file dropped on the base thumbnail
    void mnusave_Click();                  // 「ファイル」 > 「保存」

    // The editor's procedures.
    void ResetEditor();
    void ClearInsertSurface();
    void ClearBaseSurface();
    void ClearComposedSurface();
    void ClearMasks();
    void ClearInverseMasks();
    void LoadInsertPicture();
    void LoadBasePicture();
    void BuildTransparencyMask();
    void ComposeEditorPicture();
    void ApplyZoom();
    void TakeEditorPicture1();
    void TakeEditorPicture2();
    void SaveEditorPicture();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    DecodedPicture DecodeForInsert(const QString &path) const;
    DecodedPicture DecodeForBase(const QString &path) const;
    void EmptyInsertPicture();
    void PlaceInsertPicture(const DecodedPicture &decoded);
    void EmptyBasePicture();
    void PlaceBasePicture(const DecodedPicture &decoded);

    ProgramState &state_;
    Platform &platform_;
    MainWindowLink &main_;
};
