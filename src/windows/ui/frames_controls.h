#pragma once

#include "frames/frames_rule.h"
#include "ui/shape_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>

class ProgramWindow;
class PictureHolder;
class HolderView;
class PreviewView;
class Surface;

// The controls of the frames window, "コマアニメーション", as the window is created. Every
// slot of the strip has its cell of controls; cells past the last slot are hidden.
struct FramesControls : ShapeControls {
    static constexpr int kCells = frames::kMaxFrames;
    // The thumbnails' size: a 4:3 canvas shown a little smaller than its cell.
    static constexpr QSize kThumbnailSize{118, 89};

    QLabel *SlotNumber[kCells] = {};      // "１" .. "８"
    HolderView *SlotImage[kCells] = {};   // the thumbnail; a click loads, a file drop loads
    QPushButton *SlotLoad[kCells] = {};   // "読み込み"
    QPushButton *SlotLeft[kCells] = {};   // "←"
    QPushButton *SlotRemove[kCells] = {}; // "×"
    QPushButton *SlotRight[kCells] = {};  // "→"
    QPushButton *AddSlot = nullptr;       // "コマを足す"

    QPushButton *UseMainPictures = nullptr; // "絵１・絵２を使う"
    QGroupBox *SlitFrame = nullptr;         // "線の幅"
    QSpinBox *SlitWidth = nullptr;          // 1 .. 10, 2 at the start
    QGroupBox *SizeFrame = nullptr;         // "絵の大きさ"
    QRadioButton *SizeOption[3] = {};       // "320 × 240", "640 × 480", "大きさを入れる"
    QSpinBox *CanvasWidth = nullptr;        // "横", 16 .. 10000
    QSpinBox *CanvasHeight = nullptr;       // "たて", 16 .. 10000
    QLabel *FrameCount = nullptr;           // "コマの数＝" and N

    QPushButton *Compose = nullptr;       // "合成"
    QPushButton *StartPreview = nullptr;  // "うごかす"
    QPushButton *StopPreview = nullptr;   // "とめる", in the same place, hidden at the start
    QPushButton *Save = nullptr;          // "保存"
    QPushButton *SaveAnimation = nullptr; // "アニメーションを保存"

    QGroupBox *PrintFrame = nullptr;         // "印刷"
    QRadioButton *PaperOption[2] = {};       // "Ａ４", "Ｂ５"
    QRadioButton *OrientationOption[2] = {}; // "横長", "たて長"
    QPushButton *PrintPicture = nullptr;     // "絵の印刷"
    QPushButton *PrintLattice = nullptr;     // "格子の印刷"
    QPushButton *PrintSheet = nullptr;       // "印刷用シート"
    QPushButton *OpenSource = nullptr;       // "動画・GIF から"

    // How every frame is prepared, beside the preview's caption.
    QCheckBox *Silhouette = nullptr;  // "シルエット"
    QSlider *Threshold = nullptr;     // 0 (automatic) .. 255
    QLabel *ThresholdValue = nullptr; // "自動" or the threshold
    QCheckBox *Invert = nullptr;      // "反転"
    QCheckBox *Cover = nullptr;       // "切り抜き": fill the canvas, crop the overflow

    QLabel *PreviewCaption = nullptr; // "合成した絵"
    QScrollArea *PreviewArea = nullptr;
    PreviewView *Preview = nullptr;

    QGridLayout *StripGrid = nullptr; // the cells, one column each

    // Puts "コマを足す" in place of the thumbnail of cell `index`, the cell after the last slot.
    void placeAddSlot(int index);

    void setupControls(ProgramWindow *window, Surface &preview, PictureHolder *thumbnails);
};
