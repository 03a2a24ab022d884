#include "platform/surface_view.h"
#include "support/drop.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QFile>
#include <QImageWriter>

namespace {

// A 320 x 240 picture with a distinct colour in every pixel: a fitted load copies it as is.
QImage gradient(int seed)
{
    QImage picture(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.setPixel(x, y, qRgb((x + seed) & 0xFF, (y * 3 + seed) & 0xFF, (x ^ y) & 0xFF));
    return picture;
}

class DropAndFormats : public ProgramFixture {
protected:
    void drop(HolderView *view, const QStringList &paths, const QString &text = QString())
    {
        lastEnterAccepted = dropOn(view, paths, text);
    }
    bool lastEnterAccepted = false;

    // Everything that loading a slot may change.
    struct Snapshot {
        QImage canvas8[2], canvas9[2], thumb[2], mask1, mask2;
        bool operator==(const Snapshot &) const = default;
    };
    Snapshot snapshot()
    {
        const MainSurfaces &s = surfaces();
        return {{s.Picture8[0].image(), s.Picture8[1].image()},
                {s.Picture9[0].image(), s.Picture9[1].image()},
                {s.Image4.picture(), s.Image5.picture()},
                s.Picture1.image(),
                s.Picture2.image()};
    }
};

TEST_F(DropAndFormats, DroppingAPictureOnEachThumbnailLoadsItsSlot)
{
    const QImage one = gradient(1), two = gradient(90);
    window().Command2->hide();
    drop(window().Image4View, {writePicture(one, QStringLiteral("one.bmp"))});
    EXPECT_TRUE(lastEnterAccepted);
    EXPECT_EQ(surfaces().Picture8[0].image(), one);
    EXPECT_FALSE(surfaces().Image4.picture().isNull());
    // The load prologue ran: the preview is hidden and the start button shown.
    EXPECT_FALSE(window().Command2->isHidden());
    EXPECT_FALSE(surfaces().Picture5[2].isVisible());

    drop(window().Image5View, {writePicture(two, QStringLiteral("two.png"), "PNG")});
    EXPECT_EQ(surfaces().Picture8[1].image(), two);
    EXPECT_EQ(surfaces().Picture8[0].image(), one);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(DropAndFormats, DropsThatAreNotOnePictureChangeNothing)
{
    drop(window().Image4View, {writePicture(gradient(5), QStringLiteral("a.bmp"))});
    window().Command2->hide();
    window().Command2_Click(); // a running preview must keep running
    const Snapshot before = snapshot();

    QFile text(temp.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\n");
    text.close();
    QFile broken(temp.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8\xFF\xE0 truncated");
    broken.close();
    const QString b = writePicture(gradient(7), QStringLiteral("b.bmp"));

    drop(window().Image4View, {text.fileName()});
    EXPECT_FALSE(lastEnterAccepted);
    drop(window().Image4View, {broken.fileName()});
    drop(window().Image4View, {b, b});
    EXPECT_FALSE(lastEnterAccepted);
    drop(window().Image4View, {}, QStringLiteral("/tmp/b.bmp"));
    drop(window().Image5View, {temp.filePath(QStringLiteral("missing.bmp"))});

    EXPECT_TRUE(snapshot() == before);
    EXPECT_EQ(clock().interval(), 100);
    EXPECT_TRUE(surfaces().Picture5[2].isVisible());
}

TEST_F(DropAndFormats, OtherFormatsLoadLikeABitmapOfTheSamePixels)
{
    const QImage picture = gradient(33);
    dialogs.answer(writePicture(picture, QStringLiteral("same.bmp")));
    window().Command1_Click(0);
    const QImage fromBmp = surfaces().Picture8[0].image();
    const QImage largeFromBmp = surfaces().Picture9[0].image();
    ASSERT_EQ(fromBmp, picture);

    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    for (const char *format : {"png", "webp", "tiff"}) {
        SCOPED_TRACE(format);
        ASSERT_TRUE(writable.contains(format)) << "install qt6-image-formats-plugins";
        const QString path = temp.filePath(QStringLiteral("same.") + QLatin1String(format));
        QImageWriter writer(path, format);
        writer.setQuality(100); // lossless WebP
        ASSERT_TRUE(writer.write(picture)) << writer.errorString().toStdString();
        dialogs.answer(path);
        window().Command1_Click(1);
        EXPECT_EQ(surfaces().Picture8[1].image(), fromBmp);
    }
    // A drop of a TIFF fills the large canvas like the bitmap did.
    dialogs.answer(writePicture(gradient(200), QStringLiteral("other.bmp")));
    window().Command1_Click(0);
    ASSERT_NE(surfaces().Picture9[0].image(), largeFromBmp);
    drop(window().Image4View, {temp.filePath(QStringLiteral("same.tiff"))});
    EXPECT_EQ(surfaces().Picture9[0].image(), largeFromBmp);
}

} // namespace
