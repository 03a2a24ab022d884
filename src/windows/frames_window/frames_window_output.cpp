#include "frames_window/frames_window.h"

#include "export/preview_animation.h"
#include "frames_window/lattice_file_name.h"
#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/file_group.h"
#include "platform/file_identity.h"
#include "platform/picture_file.h"
#include "platform/platform.h"
#include "sheet/sheet_picture.h"
#include "sheet_window/sheet_window.h"
#include "state/program_state.h"

namespace
{
// The composition is saved as PNG or BMP, as its name says.
FileDialogRequest framesSaveRequest(const QString &folder)
{
    return FileDialogRequest{QStringLiteral("(*.png;*.bmp)|*.png;*.bmp"), folder, QString(), 0};
}
} // namespace

// The composed picture under the chosen name and its lattice sheet beside it as
// "<name>_格子.<ext>", saved as a pair: both are written to temporary files first and put in
// place together, so a failed save leaves both old files as they were and nothing behind.
void FramesWindow::Save_Click()
{
    if (!animation_.isComposed())
        return;
    StopAnimation();
    QString chosen;
    if (!runSilently(
            [&] { chosen = platform_.dialogs.showSave(framesSaveRequest(state_.vars.appFolder)); }))
        return;
    const QString picturePath = framesPictureFileName(chosen);
    const QString latticePath = latticeFileName(picturePath);
    // The work has the pictures of its own, should the window compose anew meanwhile.
    const QImage composed = animation_.composed();
    const QImage lattice = animation_.lattice();
    try {
        if (fileKey(picturePath) == fileKey(latticePath))
            throw FileNotWritten(latticePath.toStdString(),
                                 "絵と格子模様が同じファイルになります。");
        RunWork(QStringLiteral("保存しています…"), 3, QuickToSave(composed.size()),
                [&](const std::function<void(int)> &step) {
                    FileGroup pair;
                    step(0);
                    savePicture(composed, picturePath, pair);
                    step(1);
                    savePicture(lattice, latticePath, pair);
                    // The last moment to stop: nothing is in place yet.
                    step(2);
                    pair.commit();
                });
    } catch (const FileNotWritten &failure) {
        reportFileNotWritten(platform_.messages, QString::fromStdString(failure.path()),
                             QString::fromStdString(failure.reason()));
    } catch (const std::exception &failure) {
        reportFileNotWritten(platform_.messages, picturePath, QString::fromUtf8(failure.what()));
    }
}

// One cycle of the preview as an animated GIF or WebP, as the chosen name says. However
// small the picture, a cycle of many steps takes seconds: the save always runs apart.
void FramesWindow::SaveAnimation_Click()
{
    if (!animation_.isComposed())
        return;
    StopAnimation();
    QString path;
    if (!runSilently([&] {
            path = platform_.dialogs.showSave(animationSaveRequest(state_.vars.appFolder));
        }))
        return;
    const QImage composed = animation_.composed();
    const shapes::ShapeRule rule = animation_.rule();
    try {
        RunWork(QStringLiteral("アニメーションを保存しています…"),
                animation::previewAnimationSteps(rule, path), false,
                [&](const std::function<void(int)> &step) {
                    animation::savePreviewAnimation(composed, rule, path, step);
                });
    } catch (const FileNotWritten &failure) {
        animation::reportAnimationNotWritten(platform_.messages, path, failure);
    } catch (const std::exception &failure) {
        reportFileNotWritten(platform_.messages, path, QString::fromUtf8(failure.what()));
    }
}

void FramesWindow::PrintPicture_Click()
{
    if (animation_.isComposed())
        PrintPage(animation_.composed());
}

void FramesWindow::PrintLattice_Click()
{
    if (animation_.isComposed())
        PrintPage(animation_.lattice());
}

void FramesWindow::PrintPage(const QImage &picture)
{
    StopAnimation();
    using namespace frames_print;
    const Paper paper = PaperOption[1]->isChecked() ? Paper::B5 : Paper::A4;
    const Orientation orientation =
        OrientationOption[1]->isChecked() ? Orientation::Portrait : Orientation::Landscape;
    PrintFramesPage(picture, paper, orientation, platform_.printer, platform_.messages);
}

// The print sheet of the frames in the strip, each decoded afresh from its file as finely
// as the sheet needs, on a canvas of the chosen canvas's proportions. The sheet composes
// for itself, at the printer's resolution, and prepares the frames there as the controls
// say (cover, silhouettes), as lintaro-cli sheet does: a silhouette is then cut at the
// printer's dots, not enlarged from the window's canvas with grey edges.
void FramesWindow::PrintSheet_Click()
{
    StopAnimation();
    if (!EnoughFramesOrTell())
        return;
    std::vector<sheet::FramePicture> frames;
    for (const FrameSlot &slot : slots_.frames())
        frames.push_back(sheet::sheetFrameFrom(slot.path, slot.picture, slot.naturalSize));
    showSheetWindow(sheetWindow_, platform_, std::move(frames), CanvasSize(), FramePreparation(),
                    ChosenSheetShape());
}
