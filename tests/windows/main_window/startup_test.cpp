#include "main_window/centring.h"
#include "platform/surface_view.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QMenuBar>

namespace
{

using StartUp = ProgramFixture;

// The widget the user sees at the centre of the main area.
QWidget *frontOfMainArea(form1 &w)
{
    QWidget *child = w.client()->childAt(w.Picture3View->geometry().center());
    while (child && child->parentWidget() != w.client())
        child = child->parentWidget();
    return child;
}

TEST_F(StartUp, SetsTheDefaultsAndShowsOnlyTheLoadAndComposeButtons)
{
    form1 &w = window();
    EXPECT_EQ(vars().lineWidth, 2);
    EXPECT_EQ(vars().latticeGap, 2);
    EXPECT_EQ(vars().latticeBar, 2);
    EXPECT_EQ(vars().animTicks, 0);
    EXPECT_EQ(clock().interval(), 0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Lintaro"));
    EXPECT_EQ(w.Label2[0]->text() + w.Label2[1]->text(), QStringLiteral("線の幅＝2"));
    const QStringList captions{QStringLiteral("絵１　読み込み"), QStringLiteral("絵２　読み込み"),
                               QStringLiteral("合成")};
    // Each face has its own pale colour: picture 1 yellow, picture 2 green, 合成 cyan.
    const QRgb faces[] = {qRgb(255, 255, 192), qRgb(192, 255, 192), qRgb(192, 255, 255)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(w.Command1[i]->isHidden()) << i;
        EXPECT_EQ(w.Command1[i]->text(), captions[i]);
        const QColor face(w.Command1[i]->grab().toImage().pixel(4, 4));
        EXPECT_EQ(face.name(), QColor(faces[i]).name()) << i;
    }
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
    EXPECT_TRUE(
        pixels::matches(s.Picture1, [](int x, int) { return (x / 2) % 2 ? kWhite : kBlack; }));
    EXPECT_TRUE(
        pixels::matches(s.Picture2, [](int x, int) { return (x / 2) % 2 ? kBlack : kWhite; }));
    EXPECT_TRUE(pixels::matches(s.Picture3, [](int, int) { return kWhite; }));
    EXPECT_TRUE(pixels::matches(s.Picture11, [](int, int) { return kWhite; }));
    EXPECT_TRUE(pixels::matches(s.Picture4, [](int x, int) {
        return x >= 2 && x <= 1027 && (x - 2) % 4 < 2 ? kBlack : kWhite;
    }));
}

// Start-up draws the patterns without building any surface's pixels: the window shows the
// blank preview by its colour. Once it has painted, the pixels the presses work on are built
// before any press.
TEST_F(StartUp, BuildsSurfacePixelsOnlyAfterTheFirstPaint)
{
    form1 &w = window();
    MainSurfaces &s = surfaces();
    const std::initializer_list<const Surface *> all = {
        &s.Picture1,    &s.Picture2,    &s.Picture3,     &s.Picture4,     &s.Picture40,
        &s.Picture5[0], &s.Picture5[1], &s.Picture5[2],  &s.Picture8[0],  &s.Picture8[1],
        &s.Picture9[0], &s.Picture9[1], &s.Picture10[0], &s.Picture10[1], &s.Picture11};
    w.show();
    w.grab();
    for (const Surface *surface : all)
        EXPECT_FALSE(surface->pixelsBuilt()) << surface->width() << "x" << surface->height();
    QCoreApplication::processEvents();
    for (const Surface *surface : all) {
        const bool neverRead = surface == &s.Picture5[0] || surface == &s.Picture5[1] ||
                               surface == &s.Picture10[0] || surface == &s.Picture10[1];
        EXPECT_NE(surface->pixelsBuilt(), neverRead)
            << surface->width() << "x" << surface->height();
    }
    EXPECT_TRUE(
        pixels::matches(s.Picture10[1], [](int x, int) { return (x / 2) % 2 ? kBlack : kWhite; }));
}

TEST_F(StartUp, AppFolderEndsInExactlyOneSeparator)
{
    EXPECT_EQ(vars().appFolder, temp.path() + QLatin1Char('/'));
    EXPECT_EQ(withTrailingSeparator("/opt/lintaro"), QStringLiteral("/opt/lintaro/"));
    EXPECT_EQ(withTrailingSeparator("/opt/lintaro/"), QStringLiteral("/opt/lintaro/"));
    EXPECT_EQ(withTrailingSeparator("/"), QStringLiteral("/"));
}

// Half the free space, the remainder dropped; a screen smaller than the window gives a
// negative corner, truncated toward zero.
TEST_F(StartUp, CentresTheWindowOnTheScreenInTwips)
{
    EXPECT_EQ(centredPositionTwips(QSize(19200, 15360), QSize(9705, 7875)), QPoint(4747, 3742));
    EXPECT_EQ(centredPositionTwips(QSize(9705, 7875), QSize(9705, 7875)), QPoint(0, 0));
    EXPECT_EQ(centredPositionTwips(QSize(9600, 7200), QSize(9705, 7875)), QPoint(-52, -337));
    const QSize outer = window().frameGeometry().size() * 15;
    EXPECT_EQ(window().pos(), centredPositionTwips(app.screenTwips, outer) / 15);
}

TEST_F(StartUp, ControlsSitWhereTheLayoutPutsThemInTheGothicFace)
{
    form1 &w = window();
    EXPECT_EQ(w.client()->size(), QSize(647, 471));
    EXPECT_EQ(w.Command1[0]->geometry(), QRect(40, 8, 97, 25));
    EXPECT_EQ(w.Command1[2]->geometry(), QRect(288, 64, 113, 25));
    EXPECT_EQ(w.Image5View->geometry(), QRect(8, 304, 161, 121));
    // The main area's surfaces draw 320 x 240 pixels at (184, 120) inside a one-pixel frame.
    for (SurfaceView *v : {w.Picture5View[2], w.Picture3View, w.Picture2View, w.Picture1View})
        EXPECT_EQ(v->geometry(), QRect(183, 119, 322, 242));
    for (QLabel *label : w.Label1) {
        EXPECT_EQ(label->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 11.25);
        EXPECT_EQ(QFontInfo(label->font()).family(), QStringLiteral("IPAPGothic"))
            << "install fonts-ipafont-gothic";
    }
}

TEST_F(StartUp, MenuEntriesOpenTheirWindowsOnceAndTheCloseBoxDiscardsThem)
{
    form1 &w = window();
    QStringList menus;
    for (QAction *title : w.menuBar()->actions()) {
        QStringList items;
        for (QAction *item : title->menu()->actions())
            items << item->text();
        menus << title->text() + QLatin1Char(':') + items.join(QLatin1Char(','));
    }
    EXPECT_EQ(menus, QStringList({QStringLiteral("ファイル:保存,アニメーションを保存"),
                                  QStringLiteral("ツール:絵の作成,コマアニメーション"),
                                  QStringLiteral("印刷:絵の印刷,線の印刷,印刷用シート"),
                                  QStringLiteral("設定:線の幅")}));

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

    form9 *editor = w.editorWindow();
    w.mnupicture->trigger();
    EXPECT_EQ(w.editorWindow(), editor);
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.editorWindow(), nullptr);
    w.mnupicture->trigger();
    EXPECT_NE(w.editorWindow(), nullptr);
}

// The hidden picture-print button does nothing; the line-print button opens its dialog;
// the quit button and the close box stop the timer and end the program.
TEST_F(StartUp, ButtonsAndTheCloseBox)
{
    window().Command6_Click();
    EXPECT_EQ(window().picturePrintDialog(), nullptr);
    EXPECT_TRUE(printer.calls.empty());
    window().Command7_Click();
    EXPECT_NE(window().latticePrintDialog(), nullptr);
    window().Command5_Click();
    EXPECT_TRUE(app.ended);

    app.ended = false;
    window().Command1_Click(2);
    window().Command2_Click();
    ASSERT_EQ(clock().interval(), 100);
    window().close();
    EXPECT_EQ(clock().interval(), 0);
    EXPECT_TRUE(app.ended);
}

} // namespace
