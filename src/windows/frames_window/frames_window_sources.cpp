#include "frames_window/frames_window.h"

#include "ui/background_work.h"
#include "frames_window/source_dialog.h"
#include "platform/file_dialogs.h"
#include "platform/platform.h"
#include "state/program_state.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace
{
const QString kTitle = QStringLiteral("コマアニメーション");

QStringList droppedPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}
} // namespace

sources::Preparation FramesWindow::FramePreparation() const
{
    sources::Preparation p;
    p.fit = Cover->isChecked() ? sources::Fit::Cover : sources::Fit::Contain;
    p.silhouette = Silhouette->isChecked();
    if (Threshold->value() > 0)
        p.threshold = Threshold->value();
    p.invert = Invert->isChecked();
    return p;
}

void FramesWindow::Preparation_Change()
{
    Threshold->setEnabled(Silhouette->isChecked());
    Invert->setEnabled(Silhouette->isChecked());
    ThresholdValue->setText(Threshold->value() > 0 ? QString::number(Threshold->value())
                                                   : QStringLiteral("自動"));
    ShowSlots();
}

void FramesWindow::OpenSource_Click()
{
    QString path;
    if (!runSilently([&] {
            path = platform_.dialogs.showOpen(FileDialogRequest{
                QStringLiteral("(*.gif;*.webp;*.mp4;*.webm;*.mov;*.mkv;*.avi)|*.gif;*.webp;*.mp4;"
                               "*.webm;*.mov;*.mkv;*.avi"),
                dialogStartFolder(state_.vars.appFolder), QString(), 0});
        }))
        return;
    OpenSources({path});
}

void FramesWindow::OpenSources(const QStringList &paths)
{
    StopAnimation();
    std::unique_ptr<sources::FrameSequence> sequence;
    QString reason;
    try {
        runInBackground(this, QStringLiteral("読んでいます…"), 0,
                        [&](const std::atomic<bool> &, const std::function<void(int)> &) {
                            sequence = std::make_unique<sources::FrameSequence>(paths);
                        });
    } catch (const sources::SourceError &e) {
        reason = QDir::toNativeSeparators(e.path());
    } catch (const std::exception &) {
        reason = QDir::toNativeSeparators(paths.join(QLatin1Char('\n')));
    }
    if (!sequence) {
        if (!reason.isEmpty())
            platform_.messages.showWarning(
                kTitle, QStringLiteral("コマを読み込めませんでした。\n%1").arg(reason));
        return;
    }
    if (sequence->total() < frames::kMinFrames) {
        platform_.messages.showWarning(
            kTitle, QStringLiteral("コマが１つしかありません。２つ以上のコマがいります。"));
        return;
    }
    delete sourceDialog_;
    sourceDialog_ = new SourceDialog(this, paths, std::move(sequence));
    sourceDialog_->setAttribute(Qt::WA_DeleteOnClose);
    SourceDialog *dialog = sourceDialog_;
    connect(dialog, &QDialog::accepted, this, [this, dialog] { FillFromSource(*dialog); });
    dialog->open();
}

void FramesWindow::FillFromSource(SourceDialog &dialog)
{
    const std::vector<int> picks = dialog.picks();
    const QSize canvas = CanvasSize();
    std::vector<FrameSlot> filled(picks.size());
    bool done = false;
    try {
        done = runInBackground(
            this, QStringLiteral("コマを取り出しています…"), int(picks.size()),
            [&](const std::atomic<bool> &cancel, const std::function<void(int)> &progressed) {
                for (size_t i = 0; i < picks.size(); ++i) {
                    DecodedPicture d = dialog.sequence().frame(picks[i], canvas, &cancel);
                    // The pixels are all there is: a slot from an animation or a video has
                    // no picture file of its own to decode again.
                    filled[i].picture = d.picture;
                    filled[i].naturalSize = d.naturalSize;
                    progressed(int(i + 1));
                }
            });
    } catch (const std::exception &) {
        platform_.messages.showWarning(kTitle, QStringLiteral("コマを取り出せませんでした。"));
        return;
    }
    if (!done)
        return;
    while (slots_.slotCount() > int(filled.size()))
        slots_.remove(slots_.slotCount() - 1);
    while (slots_.slotCount() < int(filled.size()))
        slots_.add();
    for (size_t i = 0; i < filled.size(); ++i)
        slots_.set(int(i), std::move(filled[i]));
    ShowSlots();
}

void FramesWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FramesWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended: the file manager waits for it to end.
    QTimer::singleShot(0, this, [this, paths] { OpenSources(paths); });
}
