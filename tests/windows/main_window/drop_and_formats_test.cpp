#include "platform/surface_view.h"
#include "support/drop.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QFile>
#include <QImageWriter>

namespace
{

class DropAndFormats : public ProgramFixture
{
  protected:
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
    QString writeBytes(const QString &name, const QByteArray &bytes)
    {
        QFile file(temp.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
};

// A 320 x 240 picture is placed one to one, so the canvas shows exactly what was dropped.
TEST_F(DropAndFormats, DroppingAPictureOnEachThumbnailLoadsItsSlot)
{
    const QImage one = pixels::randomPicture(320, 240, 1), two = pixels::randomPicture(320, 240, 2);
    window().Command2->hide();
    EXPECT_TRUE(dropOn(window().Image4View, {writePicture(one, "one.bmp")}));
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture8[0].image(), one));
    EXPECT_TRUE(pixels::sameImage(surfaces().Image4.picture(), one));
    // The load prologue ran: the preview is hidden and the start button shown.
    EXPECT_FALSE(window().Command2->isHidden());
    EXPECT_FALSE(surfaces().Picture5[2].isVisible());

    EXPECT_TRUE(dropOn(window().Image5View, {writePicture(two, "two.png", "PNG")}));
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture8[1].image(), two));
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture8[0].image(), one));
    EXPECT_TRUE(dialogs.shown().empty());
}

// A text file, two files, an undecodable or missing file, or plain text: refused without a
// message; a running preview keeps running.
TEST_F(DropAndFormats, DropsThatAreNotOnePictureChangeNothing)
{
    dropOn(window().Image4View, {writePicture(pixels::randomPicture(320, 240, 5), "a.bmp")});
    window().Command2_Click();
    const Snapshot before = snapshot();

    const QString text = writeBytes("notes.txt", "not a picture\n");
    const QString broken = writeBytes("broken.jpg", "\xFF\xD8\xFF\xE0 truncated");
    const QString b = writePicture(pixels::randomPicture(320, 240, 7), "b.bmp");
    EXPECT_FALSE(dropOn(window().Image4View, {text}));
    EXPECT_FALSE(dropOn(window().Image4View, {b, b}));
    dropOn(window().Image4View, {broken});
    dropOn(window().Image4View, {}, b);
    dropOn(window().Image5View, {temp.filePath("missing.bmp")});

    EXPECT_TRUE(snapshot() == before);
    EXPECT_EQ(clock().interval(), 100);
    EXPECT_TRUE(surfaces().Picture5[2].isVisible());
    EXPECT_TRUE(dialogs.shown().empty());
}

// PNG, WebP and TIFF files, typed into the dialog or dropped, load like a bitmap of the
// same pixels.
TEST_F(DropAndFormats, OtherFormatsLoadLikeABitmapOfTheSamePixels)
{
    const QImage picture = pixels::randomPicture(320, 240, 33);
    dialogs.answer(writePicture(picture, "same.bmp"));
    window().Command1_Click(0);
    const Snapshot fromBmp = snapshot();

    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    for (const char *format : {"png", "webp", "tiff"}) {
        SCOPED_TRACE(format);
        ASSERT_TRUE(writable.contains(format)) << "install qt6-image-formats-plugins";
        const QString path = temp.filePath(QStringLiteral("same.") + QLatin1String(format));
        QImageWriter writer(path, format);
        writer.setQuality(100); // lossless WebP
        ASSERT_TRUE(writer.write(picture)) << writer.errorString().toStdString();
        for (bool dropped : {false, true}) {
            SCOPED_TRACE(dropped ? "dropped" : "typed");
            dialogs.answer(writePicture(pixels::randomPicture(300, 300, 34), "other.bmp"));
            window().Command1_Click(0);
            if (dropped) {
                dropOn(window().Image4View, {path});
            } else {
                dialogs.answer(path);
                window().Command1_Click(0);
            }
            EXPECT_TRUE(snapshot() == fromBmp);
        }
    }
}

} // namespace
