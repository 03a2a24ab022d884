#include "platform/command_error.h"
#include "platform/qt_file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

struct Seen {
    QStringList filters;
    QString selected;
    bool confirmsOverwrite = true;
    bool hidesDetails = false;
};

// Shows the real dialog, looks at it once it is up, and cancels it.
Seen look(bool open, const FileDialogRequest &request)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = {dialog->nameFilters(), dialog->selectedNameFilter(),
                !dialog->testOption(QFileDialog::DontConfirmOverwrite),
                dialog->testOption(QFileDialog::HideNameFilterDetails)};
        dialog->reject();
    });
    QtFileDialogs dialogs;
    EXPECT_THROW(open ? dialogs.showOpen(request) : dialogs.showSave(request), DialogCancelled);
    return seen;
}

// The program's filter comes first and selected, shown once as its description; the open
// dialogs offer every readable format after it; saving never asks before replacing.
TEST(FileDialogs, ShowTheProgramsFilterOnceAndReplaceWithoutAsking)
{
    QTemporaryDir folder;
    const Seen open = look(true, pictureOpenRequest(folder.path()));
    ASSERT_EQ(open.filters.size(), 2);
    EXPECT_EQ(open.filters[0], QStringLiteral("(*.bmp;*.gif;*.jpg) (*.bmp *.gif *.jpg)"));
    EXPECT_EQ(open.selected, QStringLiteral("(*.bmp;*.gif;*.jpg)")); // as the user reads it
    EXPECT_TRUE(open.hidesDetails);
    for (const char *pattern : {"*.png", "*.jpeg", "*.jpg", "*.bmp", "*.gif"})
        EXPECT_TRUE(open.filters[1].contains(QLatin1String(pattern))) << pattern;

    const Seen save = look(false, bitmapSaveRequest(folder.path()));
    EXPECT_EQ(save.filters, QStringList{QStringLiteral("(*.bmp) (*.bmp)")});
    EXPECT_FALSE(save.confirmsOverwrite);
}

} // namespace
