#include "platform/qt_file_dialogs.h"

#include "platform/command_error.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace {

// One place sets up every file dialog of the program from a common-dialog request.
QString runDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog.setNameFilters(toQtNameFilters(request.filter));
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
