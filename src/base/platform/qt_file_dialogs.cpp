#include "platform/qt_file_dialogs.h"

#include "platform/command_error.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace
{

// One place sets up every file dialog of the program from a common-dialog request.
QString runDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(mode);
    const bool open = mode == QFileDialog::AcceptOpen;
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The descriptions already list their patterns. Saving replaces an existing file
    // without a question, as the program always has.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters = toQtNameFilters(request.filter);
    const QString first = filters.value(0);
    if (open)
        filters << readablePicturesFilter();
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(first);
    dialog.setDirectory(request.initDir);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        throw DialogCancelled();
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

QString QtFileDialogs::showOpen(const FileDialogRequest &request)
{
    return runDialog(request, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::showSave(const FileDialogRequest &request)
{
    return runDialog(request, QFileDialog::AcceptSave);
}
