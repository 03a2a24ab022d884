#include "frames_window/frames_window.h"

#include "frames_window/preview_view.h"
#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/picture_file.h"
#include "platform/platform.h"
#include "platform/surface_view.h"
#include "sheet_window/sheet_window.h"
#include "state/program_state.h"

#include <QCloseEvent>
#include <QDir>

namespace
{
const QString kTitle = QStringLiteral("コマアニメーション");
// The thumbnails keep the canvas's 4:3 shape, so they show the frame as it will be placed.
const QSize kThumbnailCanvas(160, 120);
} // namespace

FramesWindow::FramesWindow(ProgramState &state, Platform &platform)
    : ProgramWindow(kTitle), state_(state), platform_(platform), timer_(platform.makeTimer())
{
    Thumbnails.assign(size_t(kCells),
                      PictureHolder(float(kThumbnailSize.width()), float(kThumbnailSize.height())));
    setupControls(this, PreviewSurface, Thumbnails.data());
    timer_->setInterval(0);
    timer_->setOnTick([this] { PreviewTimer_Timer(); });

    for (int i = 0; i < kCells; ++i) {
        connect(SlotLoad[i], &QPushButton::clicked, this, [this, i] { SlotLoad_Click(i); });
        connect(SlotLeft[i], &QPushButton::clicked, this, [this, i] { SlotLeft_Click(i); });
        connect(SlotRemove[i], &QPushButton::clicked, this, [this, i] { SlotRemove_Click(i); });
        connect(SlotRight[i], &QPushButton::clicked, this, [this, i] { SlotRight_Click(i); });
        connect(SlotImage[i], &HolderView::clicked, this, [this, i] { SlotImage_Click(i); });
        SlotImage[i]->acceptPictureDrops();
        connect(SlotImage[i], &HolderView::pictureDropped, this,
                [this, i](const QString &path) { SlotImage_Drop(i, path); });
    }
    connect(AddSlot, &QPushButton::clicked, this, &FramesWindow::AddSlot_Click);
    connect(UseMainPictures, &QPushButton::clicked, this, &FramesWindow::UseMainPictures_Click);
    for (int i = 0; i < 3; ++i)
        connect(SizeOption[i], &QRadioButton::clicked, this, [this, i] { SizeOption_Click(i); });
    connect(Compose, &QPushButton::clicked, this, &FramesWindow::Compose_Click);
    connect(StartPreview, &QPushButton::clicked, this, &FramesWindow::StartPreview_Click);
    connect(StopPreview, &QPushButton::clicked, this, &FramesWindow::StopPreview_Click);
    connect(Preview, &PreviewView::dragged, this, &FramesWindow::Preview_Drag);
    connect(Save, &QPushButton::clicked, this, &FramesWindow::Save_Click);
    connect(SaveAnimation, &QPushButton::clicked, this, &FramesWindow::SaveAnimation_Click);
    connect(PrintPicture, &QPushButton::clicked, this, &FramesWindow::PrintPicture_Click);
    connect(PrintLattice, &QPushButton::clicked, this, &FramesWindow::PrintLattice_Click);
    connect(PrintSheet, &QPushButton::clicked, this, &FramesWindow::PrintSheet_Click);
    connect(OpenSource, &QPushButton::clicked, this, &FramesWindow::OpenSource_Click);
    for (QCheckBox *box : {Silhouette, Invert, Cover})
        connect(box, &QCheckBox::toggled, this, &FramesWindow::Preparation_Change);
    connect(Threshold, &QSlider::valueChanged, this, &FramesWindow::Preparation_Change);
    for (int i = 0; i < 3; ++i)
        connect(ShapeOption[i], &QRadioButton::clicked, this, [this, i] { Shape_Click(i); });
    connect(PeriodsBox, &QSpinBox::valueChanged, this, &FramesWindow::Periods_Change);
    for (QDoubleSpinBox *box : {InnerDiameterBox, OuterDiameterBox})
        connect(box, &QDoubleSpinBox::valueChanged, this, &FramesWindow::Diameters_Change);
    // An animation, a video or a folder dropped beside the thumbnails opens as a source.
    setAcceptDrops(true);

    PreviewSurface.clear();
    ShowShapeControls();
    ShowSlots();
    EnableComposedCommands();

    // Placed in the centre of the screen when first shown.
    const QSize screen = platform_.app.screenSizeTwips() / 15;
    move((screen.width() - frameGeometry().width()) / 2,
         (screen.height() - frameGeometry().height()) / 2);
}

FramesWindow::~FramesWindow()
{
    delete sheetWindow_;
}

void FramesWindow::closeEvent(QCloseEvent *event)
{
    // The work under way needs the window until it is done or cancelled.
    if (working_) {
        event->ignore();
        return;
    }
    StopAnimation();
    event->accept();
}

void FramesWindow::SlotLoad_Click(int index)
{
    QString path;
    if (!runSilently(
            [&] { path = platform_.dialogs.showOpen(pictureOpenRequest(state_.vars.appFolder)); }))
        return;
    LoadSlot(index, path);
}

void FramesWindow::SlotImage_Click(int index)
{
    SlotLoad_Click(index);
}

void FramesWindow::SlotImage_Drop(int index, const QString &path)
{
    LoadSlot(index, path);
}

// The file is decoded before the slot changes: a file that does not load leaves the slot
// as it was and says so.
void FramesWindow::LoadSlot(int index, const QString &path)
{
    FrameSlot frame;
    try {
        frame = frameFromFile(path, CanvasSize());
    } catch (const PictureDamaged &) {
        platform_.messages.showWarning(
            kTitle, QStringLiteral("コマ%1 の絵は壊れているので読み込みませんでした。\n%2")
                        .arg(index + 1)
                        .arg(QDir::toNativeSeparators(path)));
        return;
    } catch (const CommandError &) {
        frame = FrameSlot();
    }
    if (frame.picture.isNull()) {
        platform_.messages.showWarning(
            kTitle,
            QStringLiteral("絵を読み込めませんでした。\n%1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    slots_.set(index, std::move(frame));
    ShowSlots();
}

void FramesWindow::SlotLeft_Click(int index)
{
    slots_.moveLeft(index);
    ShowSlots();
}

void FramesWindow::SlotRemove_Click(int index)
{
    slots_.remove(index);
    ShowSlots();
}

void FramesWindow::SlotRight_Click(int index)
{
    slots_.moveRight(index);
    ShowSlots();
}

void FramesWindow::AddSlot_Click()
{
    slots_.add();
    ShowSlots();
}

// Picture 1 and picture 2 become the first two frames, decoded afresh from the files they
// came from (or taken as the editor handed them over), so they keep every pixel the
// canvas can use. A main-window slot that holds nothing leaves its frame as it is.
void FramesWindow::UseMainPictures_Click()
{
    for (int i = 0; i < 2; ++i) {
        const SlotSource &source = state_.sources[i];
        if (!source.picture.isNull())
            slots_.set(i, frameFromPicture(source.picture));
        else if (!source.path.isEmpty())
            LoadSlot(i, source.path);
    }
    ShowSlots();
}

void FramesWindow::SizeOption_Click(int index)
{
    CanvasWidth->setEnabled(index == 2);
    CanvasHeight->setEnabled(index == 2);
}

QSize FramesWindow::CanvasSize() const
{
    if (SizeOption[0]->isChecked())
        return QSize(320, 240);
    if (SizeOption[1]->isChecked())
        return QSize(640, 480);
    return QSize(CanvasWidth->value(), CanvasHeight->value());
}

void FramesWindow::ShowSlots()
{
    const int count = slots_.slotCount();
    const sources::Preparation preparation = FramePreparation();
    for (int i = 0; i < kCells; ++i) {
        const bool used = i < count;
        for (QWidget *w :
             {static_cast<QWidget *>(SlotNumber[i]), static_cast<QWidget *>(SlotImage[i]),
              static_cast<QWidget *>(SlotLoad[i]), static_cast<QWidget *>(SlotLeft[i]),
              static_cast<QWidget *>(SlotRemove[i]), static_cast<QWidget *>(SlotRight[i])})
            w->setVisible(used);
        if (!used) {
            Thumbnails[size_t(i)].setPicture(QImage());
            continue;
        }
        const FrameSlot &slot = slots_.slot(i);
        // The thumbnail shows the frame as it will be composed, prepared as the controls say.
        Thumbnails[size_t(i)].setPicture(
            slot.isEmpty() ? QImage()
                           : sources::PrepareFrame(slot.picture, slot.naturalSize, kThumbnailCanvas,
                                                   preparation));
        SlotImage[i]->setToolTip(slot.path);
        SlotLeft[i]->setEnabled(i > 0);
        SlotRight[i]->setEnabled(i < count - 1);
    }
    AddSlot->setVisible(slots_.canAdd());
    if (slots_.canAdd())
        placeAddSlot(count);
    FrameCount->setText(QStringLiteral("コマの数＝%1").arg(slots_.frameCount()));
    ShowLampFigures();
}
