#pragma once

#include <QString>
#include <QStringList>

// What a command sets on its common dialog before showing it.
struct FileDialogRequest {
    QString filter;   // "description|patterns", e.g. "(*.bmp)|*.bmp"
    QString initDir;  // initial folder
    QString fileName; // initial file name
    int flags = 0;    // 0: a plain dialog with no extra options
};

// The open and save dialogs. Both return the chosen path exactly as the dialog gives it
// and report a cancel by throwing DialogCancelled.
class FileDialogs
{
  public:
    virtual ~FileDialogs() = default;
    virtual QString showOpen(const FileDialogRequest &request) = 0;
    virtual QString showSave(const FileDialogRequest &request) = 0;
};

// The program's two kinds of file dialog, set up afresh for every use: pictures to open and
// bitmaps to save, starting in the given folder (see dialogStartFolder) with an empty file
// name.
FileDialogRequest pictureOpenRequest(const QString &folder);
FileDialogRequest bitmapSaveRequest(const QString &folder);
// Animated pictures to save: GIF or WebP.
FileDialogRequest animationSaveRequest(const QString &folder);

// Where the file dialogs start: the program's folder while the user may write there,
// otherwise (an installed program) the user's pictures folder, or the home folder when
// there is none.
QString dialogStartFolder(const QString &appFolder);

// "desc1|pat1;pat2|desc2|pat3" -> {"desc1 (pat1 pat2)", "desc2 (pat3)"}: the same filter in
// the form Qt's file dialogs take. The dialogs show only the descriptions.
QStringList toQtNameFilters(const QString &filter);

// One more entry for the open dialogs: every picture format the program reads, by suffix,
// in the form of toQtNameFilters.
QString readablePicturesFilter();
