#pragma once

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class ProgramWindow;
class SurfaceView;
class HolderView;
struct EditorSurfaces;

// The controls of the picture editor, "絵の作成", as the window is created.
struct Form9Controls {
    QPushButton *Command1[3] = {}; // "読み込み" (insert), "読み込み" (base), "合成"
    static constexpr int kLoadInsert = 0, kLoadBase = 1, kComposeEditor = 2;
    QPushButton *Command2[3] = {}; // "絵１にいれる", "絵２にいれる", "もどる"
    static constexpr int kToPicture1 = 0, kToPicture2 = 1, kBack = 2;
    // The move cross: "0", "→", "→→", "←", "←←", "↑", "↑↑", "↓", "↓↓".
    QPushButton *Command3[9] = {};
    static constexpr int kMoveHome = 0, kMoveRight = 1, kMoveRightFar = 2, kMoveLeft = 3,
                         kMoveLeftFar = 4, kMoveUp = 5, kMoveUpFar = 6, kMoveDown = 7,
                         kMoveDownFar = 8;
    // The zoom frame "ズーム": "0", "↑", "↓", "↑↑", "↓↓".
    QPushButton *Command4[5] = {};
    static constexpr int kZoomReset = 0, kZoomIn = 1, kZoomOut = 2, kZoomInFar = 3,
                         kZoomOutFar = 4;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1[3] = {}; // "さしこむ絵", "もとの絵", "合成した絵"
    QLabel *Label2 = nullptr; // "黄色の部分が透明な部分です。"

    // The editing area: the composed picture in front of the two scratch surfaces it covers.
    SurfaceView *Picture3View = nullptr; // the editor's EditorSurfaces::Picture3
    SurfaceView *Picture4View1 = nullptr;
    SurfaceView *Picture5View1 = nullptr;
    // The thumbnails of the insert picture and the base picture; a click loads.
    HolderView *Image1View = nullptr;
    HolderView *Image2View = nullptr;

    QAction *mnusave = nullptr; // "ファイル" > "保存"

    void setupControls(ProgramWindow *window, EditorSurfaces &surfaces);
};
