#include "app_support/qt_japanese.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

namespace
{

struct QtTexts {
    QString cancel, yes, openTitle, saveTitle, printTitle;
};

// Texts Qt draws in its own dialogs, read back as they are shown.
QtTexts qtTexts()
{
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    QFileDialog open, save;
    open.setOption(QFileDialog::DontUseNativeDialog);
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    QPrinter printer;
    QPrintDialog print(&printer);
    return {buttons.button(QDialogButtonBox::Cancel)->text(),
            buttons.button(QDialogButtonBox::Yes)->text(), open.windowTitle(), save.windowTitle(),
            print.windowTitle()};
}

void expectTexts(const QtTexts &texts, const QtTexts &expected)
{
    EXPECT_EQ(texts.cancel.toStdString(), expected.cancel.toStdString());
    EXPECT_EQ(texts.yes.toStdString(), expected.yes.toStdString());
    EXPECT_EQ(texts.openTitle.toStdString(), expected.openTitle.toStdString());
    EXPECT_EQ(texts.saveTitle.toStdString(), expected.saveTitle.toStdString());
    EXPECT_EQ(texts.printTitle.toStdString(), expected.printTitle.toStdString());
}

const QtTexts kEnglish{"Cancel", "&Yes", "Open", "Save As", "Print"};
const QtTexts kJapanese{"キャンセル", "はい(&Y)", "開く", "名前を付けて保存", "印刷"};

// The translation the set-up script installs is found and turns Qt's dialogs Japanese for
// the whole run, whatever the user's locale; paper sizes are then measured in millimetres.
TEST(QtJapanese, InstalledTranslationTurnsQtDialogsJapanese)
{
    expectTexts(qtTexts(), kEnglish);
    ASSERT_TRUE(installQtJapanese(*qApp))
        << "qtbase_ja.qm not in " << qtTranslationsFolder().toStdString();
    expectTexts(qtTexts(), kJapanese);
    EXPECT_EQ(QLocale().measurementSystem(), QLocale::MetricSystem);

    // Back to Qt's own texts for the other tests.
    qDeleteAll(qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly));
    QLocale::setDefault(QLocale::system());
    expectTexts(qtTexts(), kEnglish);
}

// Without the translation file the program starts all the same, with English dialogs.
TEST(QtJapanese, MissingTranslationLeavesQtTextsAlone)
{
    QTemporaryDir empty;
    EXPECT_EQ(loadQtJapanese(empty.path()), nullptr);
    const QLocale before;
    EXPECT_FALSE(installQtJapanese(*qApp, empty.path()));
    expectTexts(qtTexts(), kEnglish);
    EXPECT_EQ(QLocale(), before);
}

} // namespace
