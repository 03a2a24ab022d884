#include "platform/pdf_print_service.h"
#include "printing/pdf_tools.h"
#include "sheet_window/sheet_window.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

// A sheet is made on a thread of its own: 「中止」 stops it with no file left behind, and
// the window goes on as before.
namespace
{

class SheetWorkTest : public ProgramFixture
{
  protected:
    // Presses 「中止」 as soon as the work has started.
    static void cancelSoon(SheetWindow &w)
    {
        QTimer::singleShot(0, &w, [&w] {
            auto *progress = w.findChild<QProgressDialog *>();
            ASSERT_TRUE(progress);
            for (QPushButton *button : progress->findChildren<QPushButton *>())
                if (button->text() == QStringLiteral("中止"))
                    button->click();
        });
    }
    QStringList everythingIn(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

TEST_F(SheetWorkTest, CancellingASaveLeavesNoFileAndTheWindowSavesAgain)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    std::vector<sheet::FramePicture> frames;
    for (int seed : {1, 2, 3})
        frames.push_back({pixels::randomPicture(600, 400, seed), QSize()});
    SheetWindow w(*platform, frames, QSize(600, 400));
    w.show();
    ASSERT_TRUE(QDir(temp.path()).mkdir(QStringLiteral("out")));
    const QString folder = temp.filePath(QStringLiteral("out"));
    const QString pdf = folder + QStringLiteral("/sheet.pdf");

    // A4 at 1200 dpi: seconds of work, stopped at once.
    w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(1200));
    dialogs.answer(pdf);
    cancelSoon(w);
    w.saveSheetButton->click();
    EXPECT_TRUE(everythingIn(folder).isEmpty()) << everythingIn(folder).join(' ').toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(w.client()->isEnabled());
    EXPECT_TRUE(w.saveSheetButton->isEnabled());

    // The same window saves the next sheet whole.
    w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(300));
    dialogs.answer(pdf);
    w.saveSheetButton->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(everythingIn(folder), QStringList{QStringLiteral("sheet.pdf")});
    EXPECT_EQ(pdf_tools::info(pdf).pages, 2);
}

// Cancelling keeps the sheet saved before under the same name as it was.
TEST_F(SheetWorkTest, CancellingOverAnOldSheetKeepsIt)
{
    std::vector<sheet::FramePicture> frames;
    for (int seed : {4, 5})
        frames.push_back({pixels::randomPicture(300, 200, seed), QSize()});
    SheetWindow w(*platform, frames, QSize(300, 200));
    const QString pdf = temp.filePath(QStringLiteral("old.pdf"));
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old sheet");
    }
    const QStringList before = everythingIn(temp.path());
    dialogs.answer(pdf);
    cancelSoon(w);
    w.saveSheetButton->click();
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the old sheet"));
    EXPECT_EQ(everythingIn(temp.path()), before);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// 「中止」 while printing to a file: no file, no message, and the next print comes out.
TEST_F(SheetWorkTest, CancellingAPrintToAFilePrintsNothing)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    const QString out = temp.filePath(QStringLiteral("printed.pdf"));
    PdfPrintService pdfPrinter(out);
    pdfPrinter.dialogSettings = [](QPrinter &printer) { printer.setResolution(600); };
    Platform withPdf{dialogs, pdfPrinter, app, [] { return std::make_unique<ManualTimer>(); },
                     messages};
    std::vector<sheet::FramePicture> frames;
    for (int seed : {6, 7})
        frames.push_back({pixels::randomPicture(300, 200, seed), QSize()});
    SheetWindow w(withPdf, frames, QSize(300, 200));
    const QStringList before = everythingIn(temp.path());
    cancelSoon(w);
    w.printSheetButton->click();
    EXPECT_EQ(everythingIn(temp.path()), before);
    EXPECT_TRUE(messages.shown.isEmpty());
    w.printSheetButton->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(pdf_tools::info(out).pages, 2);
}

} // namespace
