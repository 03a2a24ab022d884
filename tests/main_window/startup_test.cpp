#include "main_window/centring.h"
#include "platform/surface_view.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>

namespace {

using StartUp = ProgramFixture;

// The widget the user sees at the centre of the main area.
QWidget *frontOfMainArea(form1 &w)
{
    const QPoint centre = w.Picture3View->geometry().center();
    QWidget *child = w.client()->childAt(centre);
    while (child && child->parentWidget() != w.client())
        child = child->parentWidget();
    return child;
}

TEST_F(StartUp, SetsTheDefaultsAndShowsTheWidth)
{
    EXPECT_EQ(vars().lineWidth, 2);
    EXPECT_EQ(vars().latticeGap, 2);
    EXPECT_EQ(vars().latticeBar, 2);
    EXPECT_EQ(vars().animTicks, 0);
    EXPECT_EQ(window().Label2[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(window().Label2[0]->text(), QStringLiteral("線の幅＝"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Lintaro"));
    EXPECT_EQ(clock().interval(), 0);
}

TEST_F(StartUp, ShowsOnlyTheLoadAndComposeButtons)
{
    form1 &w = window();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(w.Command1[i]->isHidden()) << i;
    EXPECT_EQ(w.Command1[0]->text(), QStringLiteral("絵１　読み込み"));
    EXPECT_EQ(w.Command1[1]->text(), QStringLiteral("絵２　読み込み"));
    EXPECT_EQ(w.Command1[2]->text(), QStringLiteral("合成"));
    for (QPushButton *b : {w.Command2, w.Command3, w.Command4, w.Command5, w.Command6, w.Command7})
        EXPECT_TRUE(b->isHidden()) << b->text().toStdString();
}

TEST_F(StartUp, BlankPreviewIsInFrontUntilTheFirstLoadOrCompose)
{
    form1 &w = window();
    w.show();
    EXPECT_TRUE(surfaces().Picture5[2].isVisible());
    EXPECT_EQ(frontOfMainArea(w), static_cast<QWidget *>(w.Picture5View[2]));

    // Pressing "絵１　読み込み" and cancelling still runs the prologue.
    dialogs.answer(std::nullopt);
    w.Command1_Click(0);
    EXPECT_FALSE(surfaces().Picture5[2].isVisible());
    EXPECT_FALSE(w.Command2->isHidden());
    EXPECT_TRUE(w.Command3->isHidden());
    EXPECT_EQ(frontOfMainArea(w), static_cast<QWidget *>(w.Picture3View));
}

TEST_F(StartUp, DrawsTheInitialPatterns)
{
    const MainSurfaces &s = surfaces();
    for (int x = 0; x < 320; ++x) {
        const bool stripeA = (x / 2) % 2 == 0;
        ASSERT_EQ(s.Picture1.point(x, 120), stripeA ? kBlack : kWhite) << "x=" << x;
        ASSERT_EQ(s.Picture2.point(x, 120), stripeA ? kWhite : kBlack) << "x=" << x;
        ASSERT_EQ(s.Picture3.point(x, 120), kWhite) << "x=" << x;
    }
    for (int x = 0; x < 1030; ++x) {
        const bool bar = x >= 2 && x <= 1027 && ((x - 2) % 4) < 2;
        ASSERT_EQ(s.Picture4.point(x, 0), bar ? kBlack : kWhite) << "x=" << x;
    }
    EXPECT_EQ(s.Picture11.point(639, 463), kWhite);
}

TEST_F(StartUp, AppFolderEndsInExactlyOneSeparator)
{
    EXPECT_EQ(vars().appFolder, temp.path() + QLatin1Char('/'));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/opt/lintaro")), QStringLiteral("/opt/lintaro/"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/opt/lintaro/")), QStringLiteral("/opt/lintaro/"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
}

TEST(Centring, HalvesTheFreeSpaceDroppingTheRemainder)
{
    EXPECT_EQ(centredPositionTwips(QSize(19200, 15360), QSize(9705, 7875)), QPoint(4747, 3742));
    EXPECT_EQ(centredPositionTwips(QSize(9705, 7875), QSize(9705, 7875)), QPoint(0, 0));
    // A screen smaller than the window gives a negative corner, truncated toward zero.
    EXPECT_EQ(centredPositionTwips(QSize(9600, 7200), QSize(9705, 7875)), QPoint(-52, -337));
}

TEST_F(StartUp, PlacesTheWindowInTheCentreOfTheScreen)
{
    const QSize outer = window().frameGeometry().size() * 15;
    const QPoint expected = centredPositionTwips(app.screenTwips, outer) / 15;
    EXPECT_EQ(window().pos(), expected);
}

TEST_F(StartUp, ControlsSitWhereTheLayoutPutsThem)
{
    form1 &w = window();
    EXPECT_EQ(w.client()->size(), QSize(647, 471));
    EXPECT_EQ(w.Command1[0]->geometry(), QRect(40, 8, 97, 25));
    EXPECT_EQ(w.Command1[1]->geometry(), QRect(40, 248, 97, 25));
    EXPECT_EQ(w.Command1[2]->geometry(), QRect(288, 64, 113, 25));
    EXPECT_EQ(w.Command2->geometry(), QRect(520, 96, 113, 41));
    EXPECT_EQ(w.Command3->geometry(), QRect(520, 144, 113, 41));
    EXPECT_EQ(w.Image4View->geometry(), QRect(8, 64, 161, 121));
    EXPECT_EQ(w.Image5View->geometry(), QRect(8, 304, 161, 121));
    EXPECT_EQ(w.Label1[2]->geometry(), QRect(184, 96, 321, 25));
    // The main area's surfaces draw 320 x 240 pixels at (184, 120) inside a one-pixel frame.
    for (SurfaceView *v : {w.Picture5View[2], w.Picture3View, w.Picture2View, w.Picture1View})
        EXPECT_EQ(v->geometry(), QRect(183, 119, 322, 242));
}

TEST_F(StartUp, CaptionsUseTheProportionalGothicFace)
{
    for (QLabel *label : window().Label1) {
        const QFontInfo info(label->font());
        EXPECT_EQ(label->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 11.25);
        EXPECT_EQ(info.family(), QStringLiteral("IPAPGothic"))
            << "install fonts-ipafont-gothic";
    }
}

TEST_F(StartUp, MenusHoldTheirEntriesInOrder)
{
    QStringList seen;
    for (QAction *title : window().menuBar()->actions()) {
        QStringList items;
        for (QAction *item : title->menu()->actions())
            items << item->text();
        seen << title->text() + QLatin1Char(':') + items.join(QLatin1Char(','));
    }
    EXPECT_EQ(seen, QStringList({QStringLiteral("ファイル:保存"), QStringLiteral("ツール:絵の作成"),
                                 QStringLiteral("印刷:絵の印刷,線の印刷"),
                                 QStringLiteral("設定:線の幅")}));
}

TEST_F(StartUp, MenuEntriesOpenTheirWindowsOnceAndTheCloseBoxDiscardsThem)
{
    form1 &w = window();
    w.mnupicture->trigger();
    w.mnuprint2->trigger();
    w.mnuprintsen->trigger();
    w.senhaba->trigger();
    ASSERT_TRUE(w.editorWindow() && w.picturePrintDialog() && w.latticePrintDialog() &&
                w.lineWidthDialog());
    EXPECT_EQ(w.editorWindow()->windowTitle(), QStringLiteral("絵の作成"));
    EXPECT_EQ(w.picturePrintDialog()->windowTitle(), QStringLiteral("絵の印刷"));
    EXPECT_EQ(w.latticePrintDialog()->windowTitle(), QStringLiteral("線の印刷"));
    EXPECT_EQ(w.lineWidthDialog()->windowTitle(), QStringLiteral("設定"));
    EXPECT_TRUE(w.editorWindow()->isVisible());

    // Showing an open window again brings up the same window.
    form9 *editor = w.editorWindow();
    w.mnupicture->trigger();
    EXPECT_EQ(w.editorWindow(), editor);

    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.editorWindow(), nullptr);
    w.mnupicture->trigger();
    EXPECT_NE(w.editorWindow(), nullptr);
}

TEST_F(StartUp, HiddenPrintButtonDoesNothingAndLinePrintButtonOpensItsDialog)
{
    window().Command6_Click();
    EXPECT_EQ(window().picturePrintDialog(), nullptr);
    EXPECT_TRUE(printer.calls.empty());
    window().Command7_Click();
    EXPECT_NE(window().latticePrintDialog(), nullptr);
}

TEST_F(StartUp, ClosingTheMainWindowStopsTheTimerAndEndsTheProgram)
{
    window().Command1_Click(2);
    window().Command2_Click();
    ASSERT_EQ(clock().interval(), 100);
    window().close();
    EXPECT_EQ(clock().interval(), 0);
    EXPECT_TRUE(app.ended);
}

TEST_F(StartUp, QuitButtonEndsTheProgram)
{
    window().Command5_Click();
    EXPECT_TRUE(app.ended);
}

} // namespace
