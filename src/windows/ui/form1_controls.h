#pragma once

#include <QAction>
#include <QLabel>
#include <QPushButton>

class ProgramWindow;
class SurfaceView;
class HolderView;
struct MainSurfaces;

// The controls of the main window, "Lintaro", as the window is created.
struct Form1Controls {
    QPushButton *Command1[3] = {}; // "絵１　読み込み", "絵２　読み込み", "合成"
    static constexpr int kLoadPicture1 = 0, kLoadPicture2 = 1, kCompose = 2; // Command1
    QPushButton *Command2 = nullptr; // "アニメーションはじめ"
    QPushButton *Command3 = nullptr; // "アニメーションおわり"
    QPushButton *Command4 = nullptr; // "合成した絵の保存" (hidden)
    QPushButton *Command5 = nullptr; // "おわり" (hidden)
    QPushButton *Command6 = nullptr; // "絵の印刷" (hidden)
    QPushButton *Command7 = nullptr; // "線の印刷" (hidden)
    QLabel *Label1[3] = {};          // "絵１", "絵２", "絵１＋絵２"
    QLabel *Label2[2] = {};          // "線の幅＝" and the line width
    QLabel *Image3 = nullptr;        // the decorative figure

    // Views of the surfaces that share the main area, and of the thumbnails.
    SurfaceView *Picture1View = nullptr;
    SurfaceView *Picture2View = nullptr;
    SurfaceView *Picture3View = nullptr;
    SurfaceView *Picture5View[3] = {};
    HolderView *Image4View = nullptr;
    HolderView *Image5View = nullptr;

    QAction *mnusave = nullptr;     // "ファイル" > "保存"
    QAction *mnusaveanim = nullptr; // "ファイル" > "アニメーションを保存"
    QAction *mnupicture = nullptr;  // "ツール" > "絵の作成"
    QAction *mnuframes = nullptr;   // "ツール" > "コマアニメーション"
    QAction *mnuprint2 = nullptr;   // "印刷" > "絵の印刷"
    QAction *mnuprintsen = nullptr; // "印刷" > "線の印刷"
    QAction *mnusheet = nullptr;    // "印刷" > "印刷用シート"
    QAction *senhaba = nullptr;     // "設定" > "線の幅"

    void setupControls(ProgramWindow *window, MainSurfaces &surfaces);
};

// The fixed 50 x 50 picture of the main window: a small figure in blue-violet outlines
// filled with white, on a transparent background.
QImage decorativeFigure();
