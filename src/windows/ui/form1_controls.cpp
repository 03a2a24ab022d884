#include "ui/form1_controls.h"

#include "platform/surface_view.h"
#include "state/main_surfaces.h"
#include "ui/controls.h"
#include "ui/menu_bar_style.h"
#include "ui/palette.h"
#include "ui/program_window.h"

#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>

namespace
{

constexpr Colour kLoad1 = kPaleYellow;
constexpr Colour kLoad2 = kPaleGreen;
constexpr Colour kComposeColour = kPaleCyan;
constexpr Colour kAnimate = kPaleRed;
constexpr Colour kPrint = kPaleBlue;
constexpr Colour kSave = kPaleMagenta;

} // namespace

QImage decorativeFigure()
{
    QImage image(50, 50, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(51, 0, 255), 2));
    p.setBrush(Qt::white);
    // A small person waving: head, body, arms and legs.
    p.drawEllipse(QPointF(25, 12), 8, 8);
    p.drawRoundedRect(QRectF(17, 21, 16, 15), 4, 4);
    QPainterPath arms;
    arms.moveTo(17, 25);
    arms.lineTo(8, 16);
    arms.moveTo(33, 25);
    arms.lineTo(42, 31);
    p.drawPath(arms);
    p.drawLine(QPointF(21, 36), QPointF(18, 47));
    p.drawLine(QPointF(29, 36), QPointF(32, 47));
    p.setBrush(QColor(51, 0, 255));
    p.drawEllipse(QPointF(22, 11), 1.2, 1.2);
    p.drawEllipse(QPointF(28, 11), 1.2, 1.2);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(21, 12, 8, 5), 200 * 16, 140 * 16);
    return image;
}

void Form1Controls::setupControls(ProgramWindow *window, MainSurfaces &s)
{
    QWidget *c = window->client();
    window->setClientBackground(kGrey);

    Command3 = colouredButton(c, QStringLiteral("アニメーションおわり"), kAnimate,
                              twipsRect(7800, 2160, 1695, 615));
    Command7 =
        colouredButton(c, QStringLiteral("線の印刷"), kPrint, twipsRect(7800, 3600, 1695, 615));
    Command6 =
        colouredButton(c, QStringLiteral("絵の印刷"), kPrint, twipsRect(7800, 3000, 1695, 615));
    Command5 =
        colouredButton(c, QStringLiteral("おわり"), kWhite, twipsRect(7800, 6120, 1695, 615));
    Command4 = colouredButton(c, QStringLiteral("合成した絵の保存"), kSave,
                              twipsRect(2640, 120, 1695, 255));
    Command1[2] =
        colouredButton(c, QStringLiteral("合成"), kComposeColour, twipsRect(4320, 960, 1695, 375));
    Command1[1] = colouredButton(c, QStringLiteral("絵２　読み込み"), kLoad2,
                                 twipsRect(600, 3720, 1455, 375));
    Command1[0] =
        colouredButton(c, QStringLiteral("絵１　読み込み"), kLoad1, twipsRect(600, 120, 1455, 375));
    Command2 = colouredButton(c, QStringLiteral("アニメーションはじめ"), kAnimate,
                              twipsRect(7800, 1440, 1695, 615));
    for (QPushButton *hidden : {Command4, Command5, Command6, Command7})
        hidden->hide();

    // Six surfaces share the main area, 320 x 240 pixels under "絵１＋絵２".
    const QRect area = twipsRect(2760, 1800, 4800, 3600);
    Picture5View[2] = flatSurfaceView(s.Picture5[2], c, area);
    Picture3View = flatSurfaceView(s.Picture3, c, area);
    Picture2View = flatSurfaceView(s.Picture2, c, area);
    Picture1View = flatSurfaceView(s.Picture1, c, area);
    Picture5View[1] = flatSurfaceView(s.Picture5[1], c, area);
    Picture5View[0] = flatSurfaceView(s.Picture5[0], c, area);

    Label2[1] = plainLabel(c, QString(), twipsRect(4080, 5640, 975, 255));
    setBackground(Label2[1], kGrey);
    Label2[0] = plainLabel(c, QStringLiteral("線の幅＝"), twipsRect(3240, 5640, 735, 255));
    setBackground(Label2[0], kGrey);

    Image4View = thumbnailView(s.Image4, c, twipsRect(120, 960, 2415, 1815));
    Image5View = thumbnailView(s.Image5, c, twipsRect(120, 4560, 2415, 1815));
    Image3 = new QLabel(c);
    Image3->setGeometry(twipsRect(8640, 240, 750, 750));
    Image3->setPixmap(QPixmap::fromImage(decorativeFigure()));

    Label1[1] =
        captionLabel(c, QStringLiteral("絵２"), kPaleGreen, 11.25, twipsRect(120, 4200, 2415, 375));
    Label1[2] = captionLabel(c, QStringLiteral("絵１＋絵２"), kPaleCyan, 11.25,
                             twipsRect(2760, 1440, 4815, 375));
    Label1[0] =
        captionLabel(c, QStringLiteral("絵１"), kPaleYellow, 11.25, twipsRect(120, 600, 2415, 375));

    stackFrontToBack({Picture5View[2], Command3,     Command7,     Command6,        Command5,
                      Command4,        Picture3View, Picture2View, Picture1View,    Command1[2],
                      Command1[1],     Command1[0],  Command2,     Picture5View[1], Picture5View[0],
                      Label2[1],       Label2[0],    Image4View,   Image5View,      Image3,
                      Label1[1],       Label1[2],    Label1[0]});
    chainTabOrder({Command2, Command1[0], Command1[1], Command1[2], Command4, Command5, Command6,
                   Command7, Command3});

    installMenuBarStyle();
    QMenuBar *bar = window->menuBar();
    QMenu *mnufile = bar->addMenu(QStringLiteral("ファイル"));
    mnusave = mnufile->addAction(QStringLiteral("保存"));
    mnusaveanim = mnufile->addAction(QStringLiteral("アニメーションを保存"));
    QMenu *mnutool = bar->addMenu(QStringLiteral("ツール"));
    mnupicture = mnutool->addAction(QStringLiteral("絵の作成"));
    mnuframes = mnutool->addAction(QStringLiteral("コマアニメーション"));
    QMenu *mnuprint = bar->addMenu(QStringLiteral("印刷"));
    mnuprint2 = mnuprint->addAction(QStringLiteral("絵の印刷"));
    mnuprintsen = mnuprint->addAction(QStringLiteral("線の印刷"));
    mnusheet = mnuprint->addAction(QStringLiteral("印刷用シート"));
    QMenu *mnusettei = bar->addMenu(QStringLiteral("設定"));
    senhaba = mnusettei->addAction(QStringLiteral("線の幅"));
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnutool->setObjectName(QStringLiteral("mnutool"));
    mnuprint->setObjectName(QStringLiteral("mnuprint"));
    mnusettei->setObjectName(QStringLiteral("mnusettei"));

    window->fixSize();
}
