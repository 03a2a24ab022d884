#include "editor/editor_image_checks.h"
#include "editor/editor_zoom.h"
#include "editor/form9.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QFile>

#include <cmath>

namespace {

constexpr Colour kGreen = rgb(0, 160, 0);
constexpr Colour kRed = rgb(220, 0, 0);
constexpr Colour kBlue = rgb(0, 0, 200);

// A base picture whose left half is a pure-yellow hole.
Colour leftHole(int x, int)
{
    return x < 320 ? kPureYellow : kBlue;
}

class EditorTest : public ProgramFixture {
protected:
    form9 &openEditor()
    {
        window().mnupicture_Click();
        // Let any activation the window system reports happen now, not in the middle of a test.
        QApplication::processEvents();
        form9 *editor = window().editorWindow();
        EXPECT_NE(editor, nullptr);
        editor->Form_Activate();
        return *editor;
    }
    void loadInsert(form9 &editor, const QImage &picture, const QString &name = "insert.bmp")
    {
        dialogs.answer(writePicture(picture, name));
        editor.Command1_Click(0);
    }
    void loadBase(form9 &editor, const QImage &picture, const QString &name = "base.bmp")
    {
        dialogs.answer(writePicture(picture, name));
        editor.Command1_Click(1);
    }
    EditorState &editorState() { return state.editor; }
};

} // namespace

TEST_F(EditorTest, AFreshEditorComposesToWhiteAndHandsThatOver)
{
    form9 &editor = openEditor();
    editor.Command1_Click(2);
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), 640, 480,
                              [](int, int) { return kWhite; }),
              "");
    editor.Command2_Click(0);
    EXPECT_EQ(firstWrongPixel(surfaces().Picture8[0].image(), 320, 240,
                              [](int, int) { return kWhite; }),
              "");
    EXPECT_EQ(firstWrongPixel(surfaces().Picture9[0].image(), 640, 480,
                              [](int, int) { return kWhite; }),
              "");
}

TEST_F(EditorTest, LoadsThroughTheOpenDialogAndComposes)
{
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, leftHole));
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    ASSERT_EQ(dialogs.shown().size(), 2u);
    for (const auto &shown : dialogs.shown()) {
        EXPECT_EQ(shown.kind, ScriptedFileDialogs::Kind::Open);
        EXPECT_EQ(shown.request.filter, QStringLiteral("(*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg"));
        EXPECT_EQ(shown.request.initDir, vars().appFolder);
        EXPECT_EQ(shown.request.fileName, QString());
    }
    EXPECT_FALSE(editor.Image1.picture().isNull());
    EXPECT_FALSE(editor.Image2.picture().isNull());
    EXPECT_EQ(editor.Image10.picture().size(), QSize(640, 480));
    // Loading does not compose.
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 10, 10), kWhite);
    editor.Command1_Click(2);
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), 640, 480,
                              [](int x, int) { return x < 320 ? kGreen : kBlue; }),
              "");
}

TEST_F(EditorTest, BaseOfAnotherAspectRatioHasOpaqueWhiteBands)
{
    form9 &editor = openEditor();
    // 800 x 400 fits as 640 x 320 at top 80: white bands above and below.
    loadBase(editor, pictureOf(800, 400, [](int, int) { return kPureYellow; }));
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    editor.Command1_Click(2);
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), 640, 480,
                              [](int, int y) { return y < 80 || y >= 400 ? kWhite : kGreen; }),
              "");
}

TEST_F(EditorTest, ActivationClearsEverythingButTheKeptInsertPicture)
{
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, leftHole));
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    editor.Command4_Click(3);
    editor.Command3_Click(2);
    editor.Form_Activate();

    const EditorState &e = editorState();
    EXPECT_EQ(e.zoomSteps, 1);
    EXPECT_EQ(e.moveX, 0);
    EXPECT_EQ(e.moveY, 0);
    EXPECT_EQ(e.zoomWidth, 640);
    EXPECT_EQ(e.zoomHeight, 480);
    EXPECT_EQ(e.zoomLeft, 0);
    EXPECT_EQ(e.zoomTop, 0);
    const auto all = [](Colour c) { return [c](int, int) { return c; }; };
    EXPECT_EQ(editor.Picture1.image().size(), QSize(679, 510)) << "the zoomed size stays";
    EXPECT_EQ(firstWrongPixel(editor.Picture1.image(), 679, 510, all(kWhite)), "");
    EXPECT_EQ(firstWrongPixel(editor.Picture2.image(), 640, 480, all(kWhite)), "");
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), 640, 480, all(kWhite)), "");
    EXPECT_EQ(firstWrongPixel(editor.Picture4[0].image(), 640, 480, all(kBlack)), "");
    EXPECT_EQ(firstWrongPixel(editor.Picture4[1].image(), 640, 480, all(kBlack)), "");
    EXPECT_EQ(firstWrongPixel(editor.Picture5[0].image(), 640, 480, all(kWhite)), "");
    EXPECT_EQ(firstWrongPixel(editor.Picture5[1].image(), 640, 480, all(kWhite)), "");
    EXPECT_TRUE(editor.Image1.picture().isNull());
    EXPECT_TRUE(editor.Image2.picture().isNull());
    EXPECT_FALSE(editor.Image10.picture().isNull());

    // The holes of a new base show white, until a move redraws the kept insert picture.
    loadBase(editor, pictureOf(640, 480, leftHole), "base2.bmp");
    editor.Command1_Click(2);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 100, 240), kWhite);
    editor.Command3_Click(0);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 100, 240), kGreen);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 500, 240), kBlue);
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
        const EditorState &e = editorState();
        EXPECT_EQ(e.zoomSteps, row.steps);
        EXPECT_NEAR(e.zoomWidth, row.width, 1e-3);
        EXPECT_NEAR(e.zoomHeight, row.height, 1e-3);
        EXPECT_NEAR(e.zoomLeft, row.left, 1e-3);
        EXPECT_NEAR(e.zoomTop, row.top, 1e-3);
        EXPECT_EQ(editor.Picture1.width(), std::lround(row.width));
        EXPECT_EQ(editor.Picture1.height(), std::lround(row.height));
        EXPECT_EQ(e.moveX, 0);
        EXPECT_EQ(e.moveY, 0);
    }
}

TEST_F(EditorTest, ZoomedOutDrawingIsShiftedAndCutAtTheRightAndBottom)
{
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, [](int, int) { return kPureYellow; }));
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    editor.Command4_Click(2);
    editor.Command4_Click(4); // zoomSteps -5: 608.938 x 456.704 from (15.531, 11.648)
    editor.Command3_Click(0); // clears, then draws at the surface's size, 609 x 457
    const QImage p1 = editor.Picture1.image();
    ASSERT_EQ(p1.size(), QSize(609, 457));
    EXPECT_EQ(pixelAt(p1, 15, 200), kWhite);
    EXPECT_EQ(pixelAt(p1, 16, 200), kGreen);
    EXPECT_EQ(pixelAt(p1, 300, 11), kWhite);
    EXPECT_EQ(pixelAt(p1, 300, 12), kGreen);
    EXPECT_EQ(pixelAt(p1, 608, 456), kGreen);
    // Beyond the smaller insert surface the holes show white.
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), 640, 480,
                              [](int x, int y) {
                                  return x >= 16 && x < 609 && y >= 12 && y < 457 ? kGreen
                                                                                  : kWhite;
                              }),
              "");
}

TEST_F(EditorTest, FiveSmallMovesEqualOneLargeMoveAndBack)
{
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, leftHole));
    loadInsert(editor, pictureOf(640, 480, [](int x, int y) { return rgb(x % 256, y % 256, 7); }));
    editor.Command4_Click(3);
    for (int i = 0; i < 5; ++i)
        editor.Command3_Click(1);
    const QImage fiveSmall = editor.Picture3.image().copy();
    const QImage insertAfterFive = editor.Picture1.image().copy();
    editor.Command3_Click(0);
    editor.Command3_Click(2);
    EXPECT_EQ(editorState().moveX, 5);
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), fiveSmall), "");
    EXPECT_EQ(firstWrongPixel(editor.Picture1.image(), insertAfterFive), "");
    editor.Command3_Click(3);
    editor.Command3_Click(1);
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), fiveSmall), "") << "← after →";
    // The move cross's "↑" moves up; the zoom frame's "↑" enlarges.
    editor.Command3_Click(5);
    EXPECT_EQ(editorState().moveY, -1);
    EXPECT_EQ(editorState().zoomSteps, 6);
}

TEST_F(EditorTest, ZoomKeepsThePointUnderTheOffsetsInPlace)
{
    // Four quadrants meeting at (320, 240).
    const auto quadrants = [](int x, int y) {
        return x < 320 ? (y < 240 ? kRed : kGreen) : (y < 240 ? kBlue : kBlack);
    };
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, [](int, int) { return kPureYellow; }));
    loadInsert(editor, pictureOf(640, 480, quadrants));
    for (int i = 0; i < 2; ++i)
        editor.Command3_Click(2); // moveX 10
    editor.Command3_Click(6);     // moveY -5
    for (int presses : {0, 1, 4, 10}) {
        SCOPED_TRACE(presses);
        for (int i = 0; i < presses; ++i)
            editor.Command4_Click(3);
        const QImage p3 = editor.Picture3.image();
        // The corner of the quadrants stays at (330, 235), give or take the blended seam.
        EXPECT_EQ(pixelAt(p3, 327, 232), kRed);
        EXPECT_EQ(pixelAt(p3, 327, 238), kGreen);
        EXPECT_EQ(pixelAt(p3, 333, 232), kBlue);
        EXPECT_EQ(pixelAt(p3, 333, 238), kBlack);
    }
}

TEST_F(EditorTest, ZoomingOutLeavesTheLargerDrawingUntilTheNextMove)
{
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, [](int, int) { return kPureYellow; }));
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    for (int i = 0; i < 4; ++i)
        editor.Command3_Click(2); // moveX 20: columns 0..19 white
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 5, 240), kWhite);
    editor.Command4_Click(3); // 6: drawn from x 0.314, covers column 0
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 5, 240), kGreen);
    editor.Command4_Click(4);
    editor.Command4_Click(4); // -4: drawn from x 32.5; columns left of it keep the old drawing
    EXPECT_NEAR(editorState().zoomLeft + editorState().moveX, 32.5, 0.05);
    EXPECT_EQ(pixelAt(editor.Picture1.image(), 5, 240), kGreen);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 5, 240), kGreen);
    editor.Command3_Click(0); // clears: the drawing starts at x 12.5
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 5, 240), kWhite);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 14, 240), kGreen);
}

TEST_F(EditorTest, AnInsertLoadedAfterAZoomFitsTheEnlargedSurface)
{
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, [](int, int) { return kPureYellow; }));
    editor.Command4_Click(3); // 679 x 510
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    EXPECT_EQ(editor.Picture1.image().size(), QSize(679, 510));
    EXPECT_EQ(vars().placeDstW, 679.0f);
    EXPECT_EQ(vars().placeDstH, 510.0f);
    EXPECT_EQ(editor.Image6.width(), 679.0f);
    EXPECT_NEAR(editor.Image6.height(), 509.25, 1e-3);
    EXPECT_EQ(editor.Image10.picture().size(), QSize(679, 510));
    EXPECT_EQ(editorState().zoomSteps, 1) << "the load reset the zoom";
    // A move draws that copy unscaled with its corner at the offsets.
    editor.Command3_Click(1);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 0, 240), kWhite);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 1, 240), kGreen);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 639, 479), kGreen);
}

TEST_F(EditorTest, CancellingTheInsertDialogStillResetsTheZoom)
{
    form9 &editor = openEditor();
    editor.Command4_Click(3);
    editor.Command3_Click(2);
    dialogs.answer(std::nullopt);
    editor.Command1_Click(0);
    EXPECT_EQ(editorState().zoomSteps, 1);
    EXPECT_EQ(editorState().moveX, 0);
    EXPECT_EQ(editorState().zoomLeft, 0);
    EXPECT_EQ(editor.Picture1.image().size(), QSize(679, 510));
}

TEST_F(EditorTest, AFailedBaseLoadKeepsThePreviousMasks)
{
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, leftHole));
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    const QString broken = temp.filePath(QStringLiteral("broken.bmp"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM this is not a bitmap");
    }
    dialogs.answer(broken);
    editor.Command1_Click(1);
    EXPECT_TRUE(editor.Image2.picture().isNull());
    editor.Command1_Click(2);
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), 640, 480,
                              [](int x, int) { return x < 320 ? kGreen : kWhite; }),
              "");
}

TEST_F(EditorTest, ZoomStopsAtItsBoundsAndAPressPastThemDoesNothing)
{
    form9 &editor = openEditor();
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    int guard = 0;
    while (editorState().zoomSteps + 5 <= kMaxZoomSteps && ++guard < 100)
        editor.Command4_Click(3);
    EXPECT_EQ(editorState().zoomSteps, kMaxZoomSteps);
    editor.Command4_Click(3); // 191 would pass: nothing happens
    const QSize largest = editor.Picture1.image().size();
    EXPECT_LE(std::max(largest.width(), largest.height()), 4096);
    EXPECT_EQ(largest, QSize(4073, 3055));
    editor.Command4_Click(1);
    EXPECT_EQ(editorState().zoomSteps, kMaxZoomSteps);
    EXPECT_EQ(editor.Picture1.image().size(), largest);

    editor.Command4_Click(0);
    EXPECT_EQ(editorState().zoomSteps, 1);
    guard = 0;
    while (editorState().zoomSteps - 5 >= kMinZoomSteps && ++guard < 100)
        editor.Command4_Click(4);
    while (editorState().zoomSteps - 1 >= kMinZoomSteps && ++guard < 200)
        editor.Command4_Click(2);
    EXPECT_EQ(editorState().zoomSteps, kMinZoomSteps);
    const QSize smallest = editor.Picture1.image().size();
    EXPECT_GE(std::min(smallest.width(), smallest.height()), 1);
    editor.Command4_Click(2);
    editor.Command4_Click(4);
    EXPECT_EQ(editorState().zoomSteps, kMinZoomSteps);
    EXPECT_EQ(editor.Picture1.image().size(), smallest);
}

TEST_F(EditorTest, TheEditorsPictureGoesIntoPicture1LikeALoadedFile)
{
    // Slot 2 holds a picture of its own first.
    dialogs.answer(writePicture(pictureOf(640, 480, [](int, int) { return kRed; }), "p2.bmp"));
    window().Command1_Click(1);
    const QImage slot2Small = surfaces().Picture8[1].image().copy();
    const QImage slot2Large = surfaces().Picture9[1].image().copy();
    const QImage slot2Thumb = surfaces().Image5.picture().copy();
    const QImage slot2Stripes = surfaces().Picture2.image().copy();

    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, leftHole));
    loadInsert(editor, pictureOf(640, 480, [](int x, int y) { return rgb(x % 256, y % 256, 40); }));
    editor.Command4_Click(1);
    editor.Command1_Click(2);
    const QImage edited = editor.Picture3.image().copy();
    editor.Command2_Click(0);
    EXPECT_EQ(firstWrongPixel(editor.Picture3.image(), edited), "") << "the editor is only read";

    EXPECT_EQ(firstWrongPixel(surfaces().Picture8[1].image(), slot2Small), "");
    EXPECT_EQ(firstWrongPixel(surfaces().Picture9[1].image(), slot2Large), "");
    EXPECT_EQ(firstWrongPixel(surfaces().Image5.picture(), slot2Thumb), "");
    EXPECT_EQ(firstWrongPixel(surfaces().Picture2.image(), slot2Stripes), "");
    EXPECT_EQ(firstWrongPixel(surfaces().Picture9[0].image(), edited), "");

    window().Command1_Click(2);
    const QImage composedFromEditor = surfaces().Picture3.image().copy();
    const QImage largeFromEditor = surfaces().Picture11.image().copy();
    const QImage thumbFromEditor = surfaces().Image4.picture().copy();

    // The same picture loaded from a file composes identically.
    dialogs.answer(writePicture(edited, "edited.bmp"));
    window().Command1_Click(0);
    window().Command1_Click(2);
    EXPECT_EQ(firstWrongPixel(surfaces().Picture3.image(), composedFromEditor), "");
    EXPECT_EQ(firstWrongPixel(surfaces().Picture11.image(), largeFromEditor), "");
    EXPECT_EQ(firstWrongPixel(surfaces().Image4.picture(), thumbFromEditor), "");
}

TEST_F(EditorTest, SavesTheComposedPictureOrNothingOnCancel)
{
    form9 &editor = openEditor();
    loadBase(editor, pictureOf(640, 480, leftHole));
    loadInsert(editor, pictureOf(640, 480, [](int, int) { return kGreen; }));
    editor.Command1_Click(2);
    const QString path = temp.filePath(QStringLiteral("result"));
    dialogs.answer(path);
    editor.mnusave_Click();
    const auto &request = dialogs.shown().back();
    EXPECT_EQ(request.kind, ScriptedFileDialogs::Kind::Save);
    EXPECT_EQ(request.request.filter, QStringLiteral("(*.bmp)|*.bmp"));
    EXPECT_EQ(request.request.fileName, QString());
    EXPECT_EQ(request.request.initDir, vars().appFolder);
    const QImage saved(path, "BMP");
    ASSERT_FALSE(saved.isNull()) << "written under exactly the name given";
    EXPECT_EQ(firstWrongPixel(saved.convertToFormat(QImage::Format_RGB32),
                              editor.Picture3.image()),
              "");

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
    EXPECT_TRUE(window().isVisible());
    window().mnupicture_Click();
    QApplication::processEvents();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editorState().zoomSteps, 1) << "showing it again activated it";
    editor.Command4_Click(3);
    editor.close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window().editorWindow(), nullptr);
    EXPECT_EQ(editorState().zoomSteps, 6) << "the editor state outlives the window";
}
