#include "ui/frames_controls.h"

#include "frames_window/preview_view.h"
#include "platform/picture_holder.h"
#include "platform/surface.h"
#include "platform/surface_view.h"
#include "ui/controls.h"
#include "ui/palette.h"
#include "ui/program_window.h"

#include <QBoxLayout>
#include <QFontInfo>

#include <algorithm>
#include <cmath>

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

// The window is laid out by Qt layouts. At 96 dpi and the window's 10.5-point face the
// minimum sizes, margins and gaps below put every control where the window first had it;
// a larger font or screen scale makes the controls and the window grow to fit.

// The strip: eight cells 118 pixels wide, 6 apart; each a number, the thumbnail, its load
// button and a row of three small buttons.
constexpr int kCellWidth = 118;
constexpr int kCellGap = 6;
constexpr int kSmallButtonWidth = 36;
// The rows of a cell's grid column; the odd rows are gaps.
enum StripRow { kNumberRow = 0, kThumbnailRow = 2, kLoadRow = 4, kMoveRow = 6 };

// The column of controls under the strip, and the preview beside it.
constexpr int kPanelWidth = 300;
constexpr int kPanelButtonWidth = 146;
constexpr int kPanelButtonHeight = 36;
constexpr int kPreviewGap = 32;
// 640 x 480 pixels inside the scroll area's frame.
constexpr int kPreviewWidth = 644;
constexpr int kPreviewHeight = 484;
// Captions beside boxes stand this much lower, level with the boxes' text.
constexpr int kCaptionDrop = 4;

const QString kDigits[] = {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３"),
                           QStringLiteral("４"), QStringLiteral("５"), QStringLiteral("６"),
                           QStringLiteral("７"), QStringLiteral("８")};

// A control of a cell that keeps its place in the strip while its slot is not in use.
template <class Widget> Widget *keepsPlace(Widget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    return widget;
}

QSpinBox *spinBox(int minimum, int maximum, int value, int width)
{
    auto *box = new QSpinBox;
    box->setRange(minimum, maximum);
    box->setValue(value);
    return atLeast(box, width, 24);
}

// A one-line caption in a face of its own: 22 pixels high at 96 dpi, and in proportion at a
// higher resolution. (Its size hint counts the line height of the fallback faces, which
// would make it taller at 96 dpi too.)
QLabel *oneLine(QLabel *caption, int width)
{
    constexpr int kHeight = 22;
    const QFont &face = caption->font();
    const double scale = QFontInfo(face).pixelSize() / (face.pointSizeF() * 96 / 72);
    caption->setMinimumWidth(width);
    caption->setFixedHeight(std::max(kHeight, int(std::lround(kHeight * scale))));
    return caption;
}

// A caption for the box after it, dropped to the level of the box's text.
QLayout *boxCaption(const QString &caption, int width)
{
    auto *dropped = new QVBoxLayout;
    dropped->setContentsMargins(0, 0, 0, 0);
    dropped->setSpacing(0);
    dropped->addSpacing(kCaptionDrop);
    dropped->addWidget(atLeast(plainLabel(nullptr, caption, QRect()), width, 0));
    return dropped;
}

QHBoxLayout *row(int spacing)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    return row;
}

} // namespace

void FramesControls::placeAddSlot(int index)
{
    StripGrid->removeWidget(AddSlot);
    StripGrid->addWidget(AddSlot, kThumbnailRow, index);
}

void FramesControls::setupControls(ProgramWindow *window, Surface &preview,
                                   PictureHolder *thumbnails)
{
    QWidget *c = window->client();
    window->setClientBackground(kGrey);
    window->setFont(gothicFont(10.5));
    const auto button = [c](const QString &caption, Colour colour, int width, int height) {
        return atLeast(colouredButton(c, caption, colour, QRect()), width, height);
    };

    StripGrid = new QGridLayout;
    StripGrid->setHorizontalSpacing(kCellGap);
    StripGrid->setVerticalSpacing(0);
    StripGrid->setRowMinimumHeight(kNumberRow + 1, 2);
    StripGrid->setRowMinimumHeight(kThumbnailRow + 1, 4);
    StripGrid->setRowMinimumHeight(kLoadRow + 1, 4);
    for (int i = 0; i < kCells; ++i) {
        StripGrid->setColumnMinimumWidth(i, kCellWidth);
        SlotNumber[i] =
            keepsPlace(oneLine(captionLabel(c, kDigits[i], kSlot, 11.25, QRect()), kCellWidth));
        SlotImage[i] = keepsPlace(thumbnailView(thumbnails[i], c, QRect()));
        SlotImage[i]->setFixedSize(kThumbnailSize);
        setBackground(SlotImage[i], kWhite);
        SlotLoad[i] = keepsPlace(button(QStringLiteral("読み込み"), kLoad, kCellWidth, 24));
        SlotLeft[i] = keepsPlace(button(QStringLiteral("←"), kMove, kSmallButtonWidth, 24));
        SlotRemove[i] = keepsPlace(button(QStringLiteral("×"), kMove, kSmallButtonWidth, 24));
        SlotRight[i] = keepsPlace(button(QStringLiteral("→"), kMove, kSmallButtonWidth, 24));
        SlotRemove[i]->setToolTip(QStringLiteral("このコマを取る"));
        SlotLeft[i]->setToolTip(QStringLiteral("左へ動かす"));
        SlotRight[i]->setToolTip(QStringLiteral("右へ動かす"));
        QHBoxLayout *moves = row(5);
        moves->addWidget(SlotLeft[i]);
        moves->addWidget(SlotRemove[i]);
        moves->addWidget(SlotRight[i]);
        StripGrid->addWidget(SlotNumber[i], kNumberRow, i);
        StripGrid->addWidget(SlotImage[i], kThumbnailRow, i, Qt::AlignCenter);
        StripGrid->addWidget(SlotLoad[i], kLoadRow, i);
        StripGrid->addLayout(moves, kMoveRow, i);
    }
    AddSlot =
        button(QStringLiteral("コマを足す"), kAdd, kThumbnailSize.width(), kThumbnailSize.height());
    placeAddSlot(2);

    UseMainPictures = button(QStringLiteral("絵１・絵２を使う"), kHandOver, kPanelWidth, 30);

    SlitFrame = frame(c, QStringLiteral("線の幅"), QRect());
    setBackground(SlitFrame, kGrey);
    SlitWidth = spinBox(frames::kMinSlit, frames::kMaxSlit, 2, 64);
    QHBoxLayout *slit = row(8);
    slit->setContentsMargins(13, 3, 3, 7);
    slit->addWidget(SlitWidth);
    slit->addLayout(boxCaption(QStringLiteral("ピクセル"), 100));
    slit->addStretch();
    SlitFrame->setLayout(slit);

    SizeFrame = frame(c, QStringLiteral("絵の大きさ"), QRect());
    setBackground(SizeFrame, kGrey);
    SizeOption[0] = atLeast(optionButton(SizeFrame, QStringLiteral("320 × 240"), QRect()), 130, 22);
    SizeOption[1] = atLeast(optionButton(SizeFrame, QStringLiteral("640 × 480"), QRect()), 130, 22);
    SizeOption[2] =
        atLeast(optionButton(SizeFrame, QStringLiteral("大きさを入れる"), QRect()), 200, 22);
    SizeOption[1]->setChecked(true);
    CanvasWidth = spinBox(frames::kMinCanvasSide, frames::kMaxCanvasSide, 640, 80);
    CanvasHeight = spinBox(frames::kMinCanvasSide, frames::kMaxCanvasSide, 480, 80);
    CanvasWidth->setEnabled(false);
    CanvasHeight->setEnabled(false);
    QHBoxLayout *presets = row(4);
    presets->addWidget(SizeOption[0]);
    presets->addWidget(SizeOption[1]);
    presets->addStretch();
    QHBoxLayout *sides = row(2);
    sides->addSpacing(20);
    sides->addLayout(boxCaption(QStringLiteral("横"), 20));
    sides->addWidget(CanvasWidth);
    sides->addSpacing(12); // and the row's 2: 14 pixels after the width box
    sides->addLayout(boxCaption(QStringLiteral("たて"), 36));
    sides->addWidget(CanvasHeight);
    sides->addStretch();
    auto *size = new QVBoxLayout(SizeFrame);
    size->setContentsMargins(13, 1, 3, 11);
    size->setSpacing(0);
    size->addLayout(presets);
    size->addSpacing(6);
    size->addWidget(SizeOption[2], 0, Qt::AlignLeft);
    size->addSpacing(8);
    size->addLayout(sides);

    FrameCount = plainLabel(c, QString(), QRect());
    FrameCount->setFont(gothicFont(11.25));
    oneLine(FrameCount, kPanelWidth);

    // Two columns of buttons; the free places take buttons added later.
    Compose = button(QStringLiteral("合成"), kCompose, kPanelButtonWidth, kPanelButtonHeight);
    StartPreview =
        button(QStringLiteral("うごかす"), kAnimate, kPanelButtonWidth, kPanelButtonHeight);
    StopPreview = button(QStringLiteral("とめる"), kAnimate, kPanelButtonWidth, kPanelButtonHeight);
    StopPreview->hide();
    Save = button(QStringLiteral("保存"), kSave, kPanelButtonWidth, kPanelButtonHeight);
    SaveAnimation = button(QStringLiteral("アニメーションを保存"), kSave, kPanelButtonWidth,
                           kPanelButtonHeight);
    // The print sheet chooses its own paper, so it stands apart from the print frame.
    PrintSheet =
        button(QStringLiteral("印刷用シート"), kPrint, kPanelButtonWidth, kPanelButtonHeight);
    auto *commands = new QGridLayout;
    commands->setSpacing(8);
    commands->addWidget(Compose, 0, 0);
    commands->addWidget(StartPreview, 0, 1);
    commands->addWidget(StopPreview, 0, 1);
    commands->addWidget(Save, 1, 0);
    commands->addWidget(SaveAnimation, 1, 1);
    commands->addWidget(PrintSheet, 2, 0);

    PrintFrame = frame(c, QStringLiteral("印刷"), QRect());
    setBackground(PrintFrame, kGrey);
    // Each pair of options is a group of its own: option buttons exclude every other option
    // button under the same parent, however deep.
    auto *paper = new QWidget(PrintFrame);
    PaperOption[0] = atLeast(optionButton(paper, QStringLiteral("Ａ４"), QRect()), 64, 22);
    PaperOption[1] = atLeast(optionButton(paper, QStringLiteral("Ｂ５"), QRect()), 64, 22);
    PaperOption[0]->setChecked(true);
    QHBoxLayout *papers = row(6);
    papers->addWidget(PaperOption[0]);
    papers->addWidget(PaperOption[1]);
    paper->setLayout(papers);
    auto *orientation = new QWidget(PrintFrame);
    OrientationOption[0] =
        atLeast(optionButton(orientation, QStringLiteral("横長"), QRect()), 64, 22);
    OrientationOption[1] =
        atLeast(optionButton(orientation, QStringLiteral("たて長"), QRect()), 70, 22);
    OrientationOption[0]->setChecked(true);
    QHBoxLayout *orientations = row(2);
    orientations->addWidget(OrientationOption[0]);
    orientations->addWidget(OrientationOption[1]);
    orientation->setLayout(orientations);
    // Made in the frame: a button with a style sheet keeps the font of its first parent.
    PrintPicture = atLeast(colouredButton(PrintFrame, QStringLiteral("絵の印刷"), kPrint, QRect()),
                           128, kPanelButtonHeight);
    PrintLattice =
        atLeast(colouredButton(PrintFrame, QStringLiteral("格子の印刷"), kPrint, QRect()), 128,
                kPanelButtonHeight);
    QHBoxLayout *options = row(10);
    options->addWidget(paper);
    options->addWidget(orientation);
    options->addStretch();
    QHBoxLayout *prints = row(12);
    prints->addWidget(PrintPicture);
    prints->addWidget(PrintLattice);
    prints->addStretch();
    auto *print = new QVBoxLayout(PrintFrame);
    print->setContentsMargins(13, 1, 0, 19);
    print->setSpacing(14);
    print->addLayout(options);
    print->addLayout(prints);

    OpenSource =
        button(QStringLiteral("動画・GIF から"), kLoad, kPanelButtonWidth, kPanelButtonHeight);
    OpenSource->setToolTip(
        QStringLiteral("アニメーション GIF・WebP、動画、絵のフォルダーからコマを取る"));
    commands->addWidget(OpenSource, 2, 1);

    auto *panel = new QVBoxLayout;
    panel->setSpacing(0);
    panel->addWidget(UseMainPictures);
    panel->addSpacing(8);
    panel->addWidget(SlitFrame);
    panel->addSpacing(8);
    panel->addWidget(SizeFrame);
    panel->addSpacing(8);
    panel->addWidget(FrameCount);
    panel->addSpacing(6);
    panel->addLayout(commands);
    panel->addSpacing(12);
    panel->addWidget(PrintFrame);
    panel->addSpacing(8);
    panel->addWidget(setupShapeControls(c, kPanelWidth));

    PreviewCaption =
        oneLine(captionLabel(c, QStringLiteral("合成した絵"), kCompose, 12, QRect()), 240);
    // How every frame is prepared, beside the caption.
    Silhouette = new QCheckBox(QStringLiteral("シルエット"), c);
    Threshold = new QSlider(Qt::Horizontal, c);
    Threshold->setRange(0, 255);
    Threshold->setMinimumWidth(110);
    Threshold->setToolTip(QStringLiteral("これより暗いところが黒になります（左はし：自動）"));
    ThresholdValue = new QLabel(QStringLiteral("自動"), c);
    ThresholdValue->setMinimumWidth(36);
    Invert = new QCheckBox(QStringLiteral("反転"), c);
    Cover = new QCheckBox(QStringLiteral("切り抜き"), c);
    Cover->setToolTip(QStringLiteral("はみ出す部分を切って、絵の大きさいっぱいに広げる"));
    for (QWidget *w : {static_cast<QWidget *>(Silhouette), static_cast<QWidget *>(Invert),
                       static_cast<QWidget *>(Cover), static_cast<QWidget *>(ThresholdValue)})
        w->setFont(gothicFont(9.75));
    Threshold->setEnabled(false);
    Invert->setEnabled(false);
    PreviewArea = atLeast(new QScrollArea(c), kPreviewWidth, kPreviewHeight);
    PreviewArea->setAlignment(Qt::AlignCenter);
    setBackground(PreviewArea->viewport(), kGrey);
    Preview = new PreviewView(preview, PreviewArea);
    Preview->resize(preview.width() + 2, preview.height() + 2);
    PreviewArea->setWidget(Preview);
    auto *shown = new QVBoxLayout;
    shown->setSpacing(4);
    auto *captionRow = new QHBoxLayout;
    captionRow->addWidget(PreviewCaption);
    captionRow->addStretch();
    for (QWidget *w : {static_cast<QWidget *>(Silhouette), static_cast<QWidget *>(Threshold),
                       static_cast<QWidget *>(ThresholdValue), static_cast<QWidget *>(Invert),
                       static_cast<QWidget *>(Cover)})
        captionRow->addWidget(w);
    shown->addLayout(captionRow);
    shown->addWidget(PreviewArea);
    // The preview keeps its size when the panel beside it is the taller.
    shown->addStretch();

    QHBoxLayout *lower = row(kPreviewGap);
    lower->addLayout(panel);
    lower->addLayout(shown);
    lower->addStretch();

    auto *client = new QVBoxLayout;
    client->setContentsMargins(8, 8, 6, 8);
    client->setSpacing(19);
    client->addLayout(StripGrid);
    client->addLayout(lower);
    window->setClientLayout(client);
}
