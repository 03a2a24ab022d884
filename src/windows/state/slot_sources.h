#pragma once

#include <QImage>
#include <QString>

// What picture 1 or picture 2 of the main window came from: the file it was loaded from,
// or the picture the editor handed over. Both empty while the slot holds nothing. Windows
// that take the main window's pictures at another size decode them afresh from here.
struct SlotSource {
    QString path;
    QImage picture;

    bool isEmpty() const { return path.isEmpty() && picture.isNull(); }
    void clear() { *this = SlotSource(); }
    void fromFile(const QString &file) { *this = SlotSource{file, QImage()}; }
    void fromPicture(const QImage &handedOver) { *this = SlotSource{QString(), handedOver}; }
};
