#include "support/pixel_checks.h"
#include "platform/surface_view.h"
#include "support/program_fixture.h"

#include <QDir>
#include <QPainter>

namespace
{

// A picture a person can tell apart at a glance: a big digit on a coloured ramp.
QImage labelledPicture(const QString &digit, QColor from, QColor to, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient ramp(0, 0, size.width(), size.height());
    ramp.setColorAt(0, from);
    ramp.setColorAt(1, to);
    painter.fillRect(image.rect(), ramp);
    QFont font = painter.font();
    font.setPixelSize(size.height() * 3 / 4);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, digit);
    return image;
}

// The main area as the user sees it: the grabbed view of a surface, without its border.
QImage shownOn(QWidget *view)
{
    const QImage grabbed = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int border = (grabbed.width() - 320) / 2;
    return grabbed.copy(border, border, 320, 240);
}

// When LINTARO_SCREENSHOT_DIR is set, keeps what the window shows for a person to look at.
void keep(QWidget &window, const char *name)
{
    const QString folder = qEnvironmentVariable("LINTARO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        window.grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
}

using MainArea = ProgramFixture;

TEST_F(MainArea, ShowsTheComposedPictureAndThePreviewFrames)
{
    form1 &w = window();
    w.show();
    dialogs.answer(
        writePicture(labelledPicture("1", QColor(200, 30, 30), QColor(250, 200, 40), {640, 480}),
                     "one.jpg", "JPG"));
    w.Command1_Click(0);
    dialogs.answer(writePicture(
        labelledPicture("2", QColor(20, 60, 200), QColor(40, 200, 120), {300, 400}), "two.bmp"));
    w.Command1_Click(1);
    keep(w, "loaded.png");
    EXPECT_TRUE(pixels::sameImage(shownOn(w.Picture3View), surfaces().Picture3.image()));

    w.Command1_Click(2);
    keep(w, "composed.png");
    EXPECT_TRUE(pixels::sameImage(shownOn(w.Picture3View), surfaces().Picture3.image()));

    w.Command2_Click();
    keep(w, "offset0.png");
    EXPECT_TRUE(pixels::sameImage(shownOn(w.Picture5View[2]), surfaces().Picture5[2].image()));
    clock().advance();
    clock().advance();
    keep(w, "offset2.png");
    EXPECT_TRUE(pixels::sameImage(shownOn(w.Picture5View[2]), surfaces().Picture5[2].image()));
    // At offset 2 the bars lie on picture 1's stripes.
    EXPECT_EQ(surfaces().Picture5[2].point(0, 120), kBlack);
    EXPECT_EQ(surfaces().Picture5[2].point(2, 120), surfaces().Picture3.point(2, 120));
}

} // namespace
