#include "ui/frames_controls.h"

#include "frames_window/preview_view.h"
#include "platform/picture_holder.h"
#include "platform/surface.h"
#include "platform/surface_view.h"
#include "ui/controls.h"
#include "ui/palette.h"
#include "ui/program_window.h"

namespace
{

constexpr Colour kSlot = kPaleYellow;
constexpr Colour kLoad = kPaleGreen;
constexpr Colour kMove = kPaleMagenta;
constexpr Colour kHandOver = kCyan;
constexpr Colour kCompose = kPaleCyan;
constexpr Colour kAnimate = kPaleRed;
constexpr Colour kSave = kPaleMagenta;
constexpr Colour kPrint = kPaleBlue;
constexpr Colour kAdd = kWhite;

// The strip: eight cells 118 pixels wide, 6 apart.
constexpr int kCellLeft = 8;
constexpr int kCellPitch = 124;
constexpr int kCellWidth = 118;
constexpr int kThumbTop = 32;
constexpr int kThumbHeight = 89;

// The left column of controls under the strip, and the preview beside it.
constexpr int kPanelLeft = 8;
constexpr int kPanelWidth = 300;
constexpr int kPreviewLeft = 340;
constexpr int kPreviewTop = 222;
// 640 x 480 pixels inside the scroll area's frame.
constexpr int kPreviewWidth = 644;
constexpr int kPreviewHeight = 484;

const QString kDigits[] = {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３"),
                           QStringLiteral("４"), QStringLiteral("５"), QStringLiteral("６"),
                           QStringLiteral("７"), QStringLiteral("８")};

QSpinBox *spinBox(QWidget *parent, int minimum, int maximum, int value, const QRect &geometry)
{
    auto *box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setGeometry(geometry);
    box->setFont(gothicFont(10.5));
    return box;
}

} // namespace

QRect FramesControls::cellThumbnailRect(int index)
{
    return QRect(kCellLeft + index * kCellPitch, kThumbTop, kCellWidth, kThumbHeight);
}

void FramesControls::setupControls(ProgramWindow *window, Surface &preview,
                                   PictureHolder *thumbnails)
{
    QWidget *c = window->client();
    window->setClientBackground(kGrey);
    window->setFont(gothicFont(10.5));

    for (int i = 0; i < kCells; ++i) {
        const int left = kCellLeft + i * kCellPitch;
        SlotNumber[i] = captionLabel(c, kDigits[i], kSlot, 11.25, QRect(left, 8, kCellWidth, 22));
        SlotImage[i] = thumbnailView(thumbnails[i], c, cellThumbnailRect(i));
        setBackground(SlotImage[i], kWhite);
        SlotLoad[i] =
            colouredButton(c, QStringLiteral("読み込み"), kLoad, QRect(left, 125, kCellWidth, 24));
        SlotLeft[i] = colouredButton(c, QStringLiteral("←"), kMove, QRect(left, 153, 36, 24));
        SlotRemove[i] =
            colouredButton(c, QStringLiteral("×"), kMove, QRect(left + 41, 153, 36, 24));
        SlotRight[i] = colouredButton(c, QStringLiteral("→"), kMove, QRect(left + 82, 153, 36, 24));
        SlotRemove[i]->setToolTip(QStringLiteral("このコマを取る"));
        SlotLeft[i]->setToolTip(QStringLiteral("左へ動かす"));
        SlotRight[i]->setToolTip(QStringLiteral("右へ動かす"));
    }
    AddSlot = colouredButton(c, QStringLiteral("コマを足す"), kAdd, cellThumbnailRect(2));

    UseMainPictures = colouredButton(c, QStringLiteral("絵１・絵２を使う"), kHandOver,
                                     QRect(kPanelLeft, 196, kPanelWidth, 30));

    SlitFrame = frame(c, QStringLiteral("線の幅"), QRect(kPanelLeft, 234, kPanelWidth, 58));
    setBackground(SlitFrame, kGrey);
    SlitWidth = spinBox(SlitFrame, frames::kMinSlit, frames::kMaxSlit, 2, QRect(16, 24, 64, 24));
    plainLabel(SlitFrame, QStringLiteral("ピクセル"), QRect(88, 28, 100, 20));

    SizeFrame = frame(c, QStringLiteral("絵の大きさ"), QRect(kPanelLeft, 300, kPanelWidth, 118));
    setBackground(SizeFrame, kGrey);
    SizeOption[0] = optionButton(SizeFrame, QStringLiteral("320 × 240"), QRect(16, 22, 130, 22));
    SizeOption[1] = optionButton(SizeFrame, QStringLiteral("640 × 480"), QRect(150, 22, 130, 22));
    SizeOption[2] =
        optionButton(SizeFrame, QStringLiteral("大きさを入れる"), QRect(16, 50, 200, 22));
    SizeOption[1]->setChecked(true);
    plainLabel(SizeFrame, QStringLiteral("横"), QRect(36, 84, 20, 20));
    CanvasWidth = spinBox(SizeFrame, frames::kMinCanvasSide, frames::kMaxCanvasSide, 640,
                          QRect(58, 80, 80, 24));
    plainLabel(SizeFrame, QStringLiteral("たて"), QRect(152, 84, 36, 20));
    CanvasHeight = spinBox(SizeFrame, frames::kMinCanvasSide, frames::kMaxCanvasSide, 480,
                           QRect(190, 80, 80, 24));
    CanvasWidth->setEnabled(false);
    CanvasHeight->setEnabled(false);

    FrameCount = plainLabel(c, QString(), QRect(kPanelLeft, 426, kPanelWidth, 22));
    FrameCount->setFont(gothicFont(11.25));

    // Two columns of buttons; the free places take buttons added later.
    Compose = colouredButton(c, QStringLiteral("合成"), kCompose, QRect(kPanelLeft, 454, 146, 36));
    StartPreview = colouredButton(c, QStringLiteral("うごかす"), kAnimate,
                                  QRect(kPanelLeft + 154, 454, 146, 36));
    StopPreview = colouredButton(c, QStringLiteral("とめる"), kAnimate,
                                 QRect(kPanelLeft + 154, 454, 146, 36));
    StopPreview->hide();
    Save = colouredButton(c, QStringLiteral("保存"), kSave, QRect(kPanelLeft, 498, 146, 36));
    SaveAnimation = colouredButton(c, QStringLiteral("アニメーションを保存"), kSave,
                                   QRect(kPanelLeft + 154, 498, 146, 36));

    // The print sheet chooses its own paper, so it stands apart from the print frame.
    PrintSheet =
        colouredButton(c, QStringLiteral("印刷用シート"), kPrint, QRect(kPanelLeft, 542, 146, 36));
    PrintFrame = frame(c, QStringLiteral("印刷"), QRect(kPanelLeft, 590, kPanelWidth, 116));
    setBackground(PrintFrame, kGrey);
    // Each pair of options is a group of its own: option buttons exclude every other option
    // button under the same parent, however deep.
    auto *paper = new QWidget(PrintFrame);
    paper->setGeometry(16, 20, 140, 26);
    PaperOption[0] = optionButton(paper, QStringLiteral("Ａ４"), QRect(0, 2, 64, 22));
    PaperOption[1] = optionButton(paper, QStringLiteral("Ｂ５"), QRect(70, 2, 64, 22));
    PaperOption[0]->setChecked(true);
    auto *orientation = new QWidget(PrintFrame);
    orientation->setGeometry(160, 20, 136, 26);
    OrientationOption[0] = optionButton(orientation, QStringLiteral("横長"), QRect(0, 2, 64, 22));
    OrientationOption[1] =
        optionButton(orientation, QStringLiteral("たて長"), QRect(66, 2, 70, 22));
    OrientationOption[0]->setChecked(true);
    PrintPicture =
        colouredButton(PrintFrame, QStringLiteral("絵の印刷"), kPrint, QRect(16, 58, 128, 36));
    PrintLattice =
        colouredButton(PrintFrame, QStringLiteral("格子の印刷"), kPrint, QRect(156, 58, 128, 36));

    PreviewCaption = captionLabel(c, QStringLiteral("合成した絵"), kCompose, 12,
                                  QRect(kPreviewLeft, 196, 240, 22));
    PreviewArea = new QScrollArea(c);
    PreviewArea->setGeometry(kPreviewLeft, kPreviewTop, kPreviewWidth, kPreviewHeight);
    PreviewArea->setAlignment(Qt::AlignCenter);
    setBackground(PreviewArea->viewport(), kGrey);
    Preview = new PreviewView(preview, PreviewArea);
    Preview->resize(preview.width() + 2, preview.height() + 2);
    PreviewArea->setWidget(Preview);

    window->fixSize();
}
