#include "editor/editor_fixture.h"
#include "editor/editor_zoom.h"

#include <QFile>

#include <cmath>

using namespace editor_pictures;

TEST_F(EditorTest, LoadsThroughTheOpenDialogsAndComposes)
{
    form9 &editor = openEditor();
    editor.Command1_Click(2);
    EXPECT_TRUE(pixels::matches(editor.Picture3, all(kWhite))) << "a fresh editor";

    load(editor, 1, leftHoleBase(), "base.bmp");
    load(editor, 0, plain(kGreen), "insert.bmp");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    for (const auto &shown : dialogs.shown()) {
        EXPECT_EQ(shown.kind, ScriptedFileDialogs::Kind::Open);
        EXPECT_EQ(shown.request.filter, QStringLiteral("(*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg"));
        EXPECT_EQ(shown.request.initDir, vars().appFolder);
        EXPECT_EQ(shown.request.fileName, QString());
    }
    EXPECT_TRUE(pixels::matches(editor.Picture3, all(kWhite))) << "loading does not compose";
    editor.Command1_Click(2);
    EXPECT_TRUE(
        pixels::matches(editor.Picture3, [](int x, int) { return x < 320 ? kGreen : kBlue; }));

    // An 800 x 400 base fits as 640 x 320 from top 80; the white bands above and below are
    // not holes.
    load(editor, 1, pixels::plainPicture(800, 400, kPureYellow), "wide.bmp");
    editor.Command1_Click(2);
    EXPECT_TRUE(pixels::matches(editor.Picture3,
                                [](int, int y) { return y < 80 || y >= 400 ? kWhite : kGreen; }));
}

TEST_F(EditorTest, ActivationClearsEverythingButTheKeptInsertPicture)
{
    form9 &editor = openWith(leftHoleBase(), plain(kGreen));
    editor.Command4_Click(3);
    editor.Command3_Click(2);
    ASSERT_FALSE(editor.Image1.picture().isNull() || editor.Image2.picture().isNull());
    editor.Form_Activate();

    const EditorState &e = state.editor;
    EXPECT_EQ((std::vector<double>{e.zoomSteps, e.moveX, e.moveY, e.zoomWidth, e.zoomHeight,
                                   e.zoomLeft, e.zoomTop}),
              (std::vector<double>{1, 0, 0, 640, 480, 0, 0}));
    EXPECT_EQ(editor.Picture1.image().size(), QSize(679, 510)) << "the zoomed size stays";
    const std::vector<std::pair<const Surface *, Colour>> cleared = {
        {&editor.Picture1, kWhite},    {&editor.Picture2, kWhite},    {&editor.Picture3, kWhite},
        {&editor.Picture4[0], kBlack}, {&editor.Picture4[1], kBlack}, {&editor.Picture5[0], kWhite},
        {&editor.Picture5[1], kWhite}};
    for (std::size_t i = 0; i < cleared.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(pixels::matches(*cleared[i].first, all(cleared[i].second)));
    }
    EXPECT_TRUE(editor.Image1.picture().isNull());
    EXPECT_TRUE(editor.Image2.picture().isNull());
    EXPECT_FALSE(editor.Image10.picture().isNull());

    // The holes of a new base show white until a move redraws the kept insert picture.
    load(editor, 1, leftHoleBase(), "base2.bmp");
    editor.Command1_Click(2);
    EXPECT_EQ(pixels::at(editor.Picture3.image(), 100, 240), kWhite);
    editor.Command3_Click(0);
    EXPECT_TRUE(
        pixels::matches(editor.Picture3, [](int x, int) { return x < 320 ? kGreen : kBlue; }));
}

TEST_F(EditorTest, ZoomTableSizesAndShifts)
{
    struct Row {
        std::vector<int> presses;
        int steps;
        double width, height, left, top;
    };
    // From the reset state (zoomSteps 1): "↑" +1, "↓" -1, "↑↑" +5, "↓↓" -5, "0" back to 1.
    const std::vector<Row> rows = {
        {{2, 4}, -5, 608.938, 456.704, 15.531, 11.648},
        {{2, 2}, -1, 633.663, 475.248, 3.168, 2.376},
        {{2}, 0, 640, 480, 0, 0},
        {{0}, 1, 646.4, 484.8, -3.2, -2.4},
        {{1}, 2, 652.864, 489.648, -6.432, -4.824},
        {{3}, 6, 679.373, 509.530, -19.686, -14.765},
    };
    form9 &editor = openEditor();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.steps);
        editor.Form_Activate();
        for (int index : row.presses)
            editor.Command4_Click(index);
        const EditorState &e = state.editor;
        EXPECT_EQ(e.zoomSteps, row.steps);
        EXPECT_NEAR(e.zoomWidth, row.width, 1e-3);
        EXPECT_NEAR(e.zoomHeight, row.height, 1e-3);
        EXPECT_NEAR(e.zoomLeft, row.left, 1e-3);
        EXPECT_NEAR(e.zoomTop, row.top, 1e-3);
        EXPECT_EQ(editor.Picture1.image().size(),
                  QSize(std::lround(row.width), std::lround(row.height)));
    }
}

TEST_F(EditorTest, FiveSmallMovesEqualOneLargeMove)
{
    form9 &editor = openWith(leftHoleBase(), pixels::pictureOf(640, 480, [](int x, int y) {
                                 return rgb(x % 256, y % 256, 7);
                             }));
    editor.Command4_Click(3);
    for (int i = 0; i < 5; ++i)
        editor.Command3_Click(1);
    const QImage fiveSmall = editor.Picture3.image().copy();
    editor.Command3_Click(0);
    editor.Command3_Click(2);
    EXPECT_EQ(state.editor.moveX, 5);
    EXPECT_TRUE(pixels::sameImage(editor.Picture3.image(), fiveSmall));
    editor.Command3_Click(3);
    editor.Command3_Click(1);
    EXPECT_TRUE(pixels::sameImage(editor.Picture3.image(), fiveSmall)) << "← then →";
    // The move cross's "↑" moves up; the zoom frame's "↑" enlarges.
    editor.Command3_Click(5);
    EXPECT_EQ(state.editor.moveY, -1);
    EXPECT_EQ(state.editor.zoomSteps, 6);
}

TEST_F(EditorTest, ZoomKeepsThePointUnderTheOffsetsInPlace)
{
    // Four quadrants meeting at (320, 240).
    form9 &editor =
        openWith(plain(kPureYellow), pixels::pictureOf(640, 480, [](int x, int y) {
                     return x < 320 ? (y < 240 ? kRed : kGreen) : (y < 240 ? kBlue : kBlack);
                 }));
    editor.Command3_Click(2);
    editor.Command3_Click(2); // moveX 10
    editor.Command3_Click(6); // moveY -5
    for (int presses : {0, 1, 4, 10}) {
        SCOPED_TRACE(presses);
        for (int i = 0; i < presses; ++i)
            editor.Command4_Click(3);
        // The corner stays at (330, 235), give or take the blended seam.
        const QImage p3 = editor.Picture3.image();
        EXPECT_EQ(pixels::at(p3, 327, 232), kRed);
        EXPECT_EQ(pixels::at(p3, 327, 238), kGreen);
        EXPECT_EQ(pixels::at(p3, 333, 232), kBlue);
        EXPECT_EQ(pixels::at(p3, 333, 238), kBlack);
    }
}

TEST_F(EditorTest, ZoomingOutLeavesTheLargerDrawingUntilTheNextMove)
{
    form9 &editor = openWith(plain(kPureYellow), plain(kGreen));
    for (int i = 0; i < 4; ++i)
        editor.Command3_Click(2); // moveX 20: columns 0..19 white
    EXPECT_EQ(pixels::at(editor.Picture3.image(), 5, 240), kWhite);
    editor.Command4_Click(3); // 6: drawn from x 0.314
    EXPECT_EQ(pixels::at(editor.Picture3.image(), 5, 240), kGreen);
    editor.Command4_Click(4);
    editor.Command4_Click(4); // -4: drawn from x 32.5; the old drawing stays left of it
    EXPECT_NEAR(state.editor.zoomLeft + state.editor.moveX, 32.5, 0.05);
    EXPECT_EQ(pixels::at(editor.Picture3.image(), 5, 240), kGreen);
    // A move clears first: 615 x 461 drawn from (12.486, 9.365), white beyond the surface.
    editor.Command3_Click(0);
    EXPECT_TRUE(pixels::matches(editor.Picture3, [](int x, int y) {
        return x >= 12 && x < 615 && y >= 9 && y < 461 ? kGreen : kWhite;
    }));
}

TEST_F(EditorTest, TheInsertLoadResetsTheZoomAndFitsTheEnlargedSurface)
{
    form9 &editor = openEditor();
    load(editor, 1, plain(kPureYellow), "base.bmp");
    editor.Command4_Click(3); // 679 x 510
    editor.Command3_Click(2);
    dialogs.answer(std::nullopt);
    editor.Command1_Click(0);
    EXPECT_EQ(state.editor.zoomSteps, 1) << "reset before the dialog";
    EXPECT_EQ(state.editor.moveX, 0);
    EXPECT_EQ(editor.Picture1.image().size(), QSize(679, 510));

    load(editor, 0, plain(kGreen), "insert.bmp");
    EXPECT_EQ(editor.Picture1.image().size(), QSize(679, 510));
    EXPECT_EQ(editor.Image10.picture().size(), QSize(679, 510));
    // A move draws that copy unscaled with its corner at the offsets.
    editor.Command3_Click(1);
    EXPECT_TRUE(
        pixels::matches(editor.Picture3, [](int x, int) { return x == 0 ? kWhite : kGreen; }));
}

TEST_F(EditorTest, AFailedBaseLoadKeepsThePreviousMasks)
{
    form9 &editor = openWith(leftHoleBase(), plain(kGreen));
    const QString broken = temp.filePath(QStringLiteral("broken.bmp"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM this is not a bitmap");
    file.close();
    dialogs.answer(broken);
    editor.Command1_Click(1);
    EXPECT_TRUE(editor.Image2.picture().isNull());
    editor.Command1_Click(2);
    EXPECT_TRUE(
        pixels::matches(editor.Picture3, [](int x, int) { return x < 320 ? kGreen : kWhite; }));
}

TEST_F(EditorTest, ZoomStopsAtItsBoundsAndAPressPastThemDoesNothing)
{
    form9 &editor = openWith(plain(kPureYellow), plain(kGreen));
    struct Bound {
        int steps, largePress, smallPress;
        QSize size;
    };
    for (const Bound &b : {Bound{kMaxZoomSteps, 3, 1, QSize(4073, 3055)},
                           Bound{kMinZoomSteps, 4, 2, QSize(101, 75)}}) {
        SCOPED_TRACE(b.steps);
        editor.Command4_Click(0);
        for (int guard = 0; guard < 40 && std::abs(state.editor.zoomSteps) + 5 <= kMaxZoomSteps;
             ++guard)
            editor.Command4_Click(b.largePress);
        while (state.editor.zoomSteps != b.steps)
            editor.Command4_Click(b.smallPress);
        EXPECT_EQ(editor.Picture1.image().size(), b.size);
        editor.Command4_Click(b.largePress);
        editor.Command4_Click(b.smallPress);
        EXPECT_EQ(state.editor.zoomSteps, b.steps);
        EXPECT_EQ(editor.Picture1.image().size(), b.size);
    }
}

TEST_F(EditorTest, TheEditorsPictureGoesIntoPicture1LikeALoadedFile)
{
    dialogs.answer(writePicture(plain(kRed), "p2.bmp"));
    window().Command1_Click(1);
    const auto slot2 = [this] {
        MainSurfaces &m = surfaces();
        return std::vector<QImage>{m.Picture8[1].image().copy(), m.Picture9[1].image().copy(),
                                   m.Image5.picture().copy(), m.Picture2.image().copy()};
    };
    const std::vector<QImage> before = slot2();

    form9 &editor = openWith(leftHoleBase(), pixels::pictureOf(640, 480, [](int x, int y) {
                                 return rgb(x % 256, y % 256, 40);
                             }));
    editor.Command4_Click(1);
    const QImage edited = editor.Picture3.image().copy();
    editor.Command2_Click(0);
    EXPECT_TRUE(pixels::sameImage(editor.Picture3.image(), edited)) << "the editor is only read";
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture9[0].image(), edited));
    const std::vector<QImage> after = slot2();
    for (std::size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(pixels::sameImage(after[i], before[i])) << "slot 2 changed";
    }

    // The same picture loaded from a file composes identically.
    window().Command1_Click(2);
    const QImage composed = surfaces().Picture3.image().copy();
    const QImage large = surfaces().Picture11.image().copy();
    dialogs.answer(writePicture(edited, "edited.bmp"));
    window().Command1_Click(0);
    window().Command1_Click(2);
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture3.image(), composed));
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture11.image(), large));
}

TEST_F(EditorTest, SavesTheComposedPictureOrNothingOnCancel)
{
    form9 &editor = openWith(leftHoleBase(), plain(kGreen));
    editor.Command1_Click(2);
    const QString path = temp.filePath(QStringLiteral("result"));
    dialogs.answer(path);
    editor.mnusave_Click();
    const auto &request = dialogs.shown().back();
    EXPECT_EQ(request.kind, ScriptedFileDialogs::Kind::Save);
    EXPECT_EQ(request.request.filter, QStringLiteral("(*.bmp)|*.bmp"));
    const QImage saved(path, "BMP");
    ASSERT_FALSE(saved.isNull()) << "written under exactly the name given";
    EXPECT_TRUE(
        pixels::sameImage(saved.convertToFormat(QImage::Format_RGB32), editor.Picture3.image()));

    QFile::remove(path);
    dialogs.answer(std::nullopt);
    editor.mnusave_Click();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(EditorTest, BackHidesTheEditorAndTheCloseBoxDiscardsIt)
{
    form9 &editor = openEditor();
    editor.Command4_Click(3);
    editor.Command2_Click(2);
    EXPECT_FALSE(editor.isVisible());
    window().mnupicture_Click();
    QApplication::processEvents();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(state.editor.zoomSteps, 1) << "showing it again activated it";
    editor.Command4_Click(3);
    editor.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window().editorWindow(), nullptr);
    EXPECT_EQ(state.editor.zoomSteps, 6) << "the editor state outlives the window";
}

// Each button face keeps its own pale colour: insert yellow, base green, 合成 cyan, もどる orange.
TEST_F(EditorTest, ButtonsHaveTheirOwnFaceColours)
{
    form9 &editor = openEditor();
    const struct {
        QPushButton *button;
        QRgb face;
    } cases[] = {{editor.Command1[0], qRgb(255, 255, 192)},
                 {editor.Command1[1], qRgb(192, 255, 192)},
                 {editor.Command1[2], qRgb(192, 255, 255)},
                 {editor.Command2[2], qRgb(255, 224, 192)}};
    for (const auto &c : cases) {
        const QColor face(c.button->grab().toImage().pixel(4, 4));
        EXPECT_EQ(face.name(), QColor(c.face).name()) << c.button->text().toStdString();
    }
}
