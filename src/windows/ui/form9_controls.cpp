#include "ui/form9_controls.h"

#include "editor/editor_surfaces.h"
#include "platform/surface_view.h"
#include "ui/controls.h"
#include "ui/palette.h"
#include "ui/program_window.h"

#include <QMenuBar>

namespace
{

constexpr Colour kZoomColour = kPaleCyan;
constexpr Colour kMoveColour = kPaleMagenta;
constexpr Colour kHandOverColour = kCyan;
constexpr Colour kBackColour = kPaleOrange;
constexpr Colour kComposeColour = kPaleCyan;
constexpr Colour kLoadBaseColour = kPaleGreen;
constexpr Colour kLoadInsertColour = kPaleYellow;

} // namespace

void Form9Controls::setupControls(ProgramWindow *window, EditorSurfaces &s)
{
    QWidget *c = window->client();
    window->setClientBackground(kGrey);

    Frame1 = frame(c, QStringLiteral("ズーム"), twipsRect(2760, 3240, 855, 2295));
    setBackground(Frame1, kGrey);
    Command4[4] =
        colouredButton(Frame1, QStringLiteral("↓↓"), kZoomColour, twipsRect(240, 1920, 495, 255));
    Command4[3] =
        colouredButton(Frame1, QStringLiteral("↑↑"), kZoomColour, twipsRect(240, 360, 495, 255));
    Command4[2] =
        colouredButton(Frame1, QStringLiteral("↓"), kZoomColour, twipsRect(240, 1560, 495, 255));
    Command4[1] =
        colouredButton(Frame1, QStringLiteral("↑"), kZoomColour, twipsRect(240, 720, 495, 255));
    Command4[0] =
        colouredButton(Frame1, QStringLiteral("0"), kZoomColour, twipsRect(240, 1080, 495, 375));

    Command3[0] =
        colouredButton(c, QStringLiteral("0"), kMoveColour, twipsRect(1080, 4200, 495, 375));
    Command3[1] =
        colouredButton(c, QStringLiteral("→"), kMoveColour, twipsRect(1680, 4200, 375, 375));
    Command3[2] =
        colouredButton(c, QStringLiteral("→→"), kMoveColour, twipsRect(2160, 4200, 375, 375));
    Command3[3] =
        colouredButton(c, QStringLiteral("←"), kMoveColour, twipsRect(600, 4200, 375, 375));
    Command3[4] =
        colouredButton(c, QStringLiteral("←←"), kMoveColour, twipsRect(120, 4200, 375, 375));
    Command3[5] =
        colouredButton(c, QStringLiteral("↑"), kMoveColour, twipsRect(1080, 3840, 495, 255));
    Command3[6] =
        colouredButton(c, QStringLiteral("↑↑"), kMoveColour, twipsRect(1080, 3480, 495, 255));
    Command3[7] =
        colouredButton(c, QStringLiteral("↓"), kMoveColour, twipsRect(1080, 4680, 495, 255));
    Command3[8] =
        colouredButton(c, QStringLiteral("↓↓"), kMoveColour, twipsRect(1080, 5040, 495, 255));

    // The editing area, 640 x 480 pixels under "合成した絵".
    const QRect area = twipsRect(3960, 720, 9600, 7200);
    Picture3View = flatSurfaceView(s.Picture3, c, area);
    Command2[2] =
        colouredButton(c, QStringLiteral("もどる"), kBackColour, twipsRect(12240, 120, 1335, 375));
    Command2[1] = colouredButton(c, QStringLiteral("絵２にいれる"), kHandOverColour,
                                 twipsRect(10440, 120, 1215, 375));
    Command2[0] = colouredButton(c, QStringLiteral("絵１にいれる"), kHandOverColour,
                                 twipsRect(9120, 120, 1215, 375));
    Command1[2] =
        colouredButton(c, QStringLiteral("合成"), kComposeColour, twipsRect(6720, 240, 1335, 375));
    Command1[1] = colouredButton(c, QStringLiteral("読み込み"), kLoadBaseColour,
                                 twipsRect(1920, 120, 1215, 375));
    Command1[0] = colouredButton(c, QStringLiteral("読み込み"), kLoadInsertColour,
                                 twipsRect(1920, 5640, 1215, 375));
    Picture4View1 = flatSurfaceView(s.Picture4[1], c, area);
    Picture5View1 = flatSurfaceView(s.Picture5[1], c, area);

    Label2 = plainLabel(c, QStringLiteral("黄色の部分が透明な部分です。"),
                        twipsRect(120, 2880, 3015, 255));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackground(Label2, kButtonFace);
    Image1View = thumbnailView(s.Image1, c, twipsRect(120, 6000, 3000, 2400));
    Label1[1] = captionLabel(c, QStringLiteral("もとの絵"), kLoadBaseColour, 11.25,
                             twipsRect(120, 120, 1695, 375));
    Label1[2] = captionLabel(c, QStringLiteral("合成した絵"), kComposeColour, 12,
                             twipsRect(3960, 120, 2415, 615));
    Label1[0] = captionLabel(c, QStringLiteral("さしこむ絵"), kLoadInsertColour, 11.25,
                             twipsRect(120, 5640, 1695, 375));
    Image2View = thumbnailView(s.Image2, c, twipsRect(120, 480, 3000, 2400));

    // The hidden surfaces and holders have no view: nothing ever shows them.
    stackFrontToBack({Frame1,       Command3[0], Command3[1],   Command3[2],   Command3[3],
                      Command3[4],  Command3[5], Command3[6],   Command3[7],   Command3[8],
                      Picture3View, Command2[2], Command2[1],   Command2[0],   Command1[2],
                      Command1[1],  Command1[0], Picture4View1, Picture5View1, Label2,
                      Image1View,   Label1[1],   Label1[2],     Label1[0],     Image2View});
    chainTabOrder({Command1[0], Command1[1], Command1[2], Command2[0], Command2[1],
                   Command2[2], Command3[8], Command3[7], Command3[6], Command3[5],
                   Command3[4], Command3[3], Command3[2], Command3[1], Command3[0],
                   Command4[0], Command4[1], Command4[2], Command4[3], Command4[4]});
    // The first control in tab order has the focus when the window opens, not the zoom
    // button that happens to be created first (a Space there would zoom).
    Command1[0]->setFocus();

    QMenu *mnufile = window->menuBar()->addMenu(QStringLiteral("ファイル"));
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnusave = mnufile->addAction(QStringLiteral("保存"));

    window->fixSize();
}
