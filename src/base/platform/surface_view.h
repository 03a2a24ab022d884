#pragma once

#include <QWidget>

class Surface;
class PictureHolder;

enum class Border { None, Flat, Sunken };

// Shows a surface at one device-independent pixel per surface pixel, inside its border.
// Pixels are drawn as crisp blocks at any screen scale: stripes never blur on screen.
class SurfaceView : public QWidget {
    Q_OBJECT
public:
    SurfaceView(Surface &surface, Border border, QWidget *parent);
    Surface &surface() const { return surface_; }
    int borderWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Surface &surface_;
    Border border_;
};

// Shows a picture holder's picture stretched to the widget; reports clicks and, once
// enabled, a picture file dropped on it.
class HolderView : public QWidget {
    Q_OBJECT
public:
    HolderView(PictureHolder &holder, Border border, QWidget *parent);
    PictureHolder &holder() const { return holder_; }
    // Accepts a drag of exactly one local file that an image reader recognises.
    void acceptPictureDrops();

signals:
    void clicked();
    void pictureDropped(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    PictureHolder &holder_;
    Border border_;
};

void paintBorder(QWidget *widget, Border border);

class QMimeData;
// The path of the one local file a drag carries, or an empty string when it carries
// anything else (no file, several files, a remote address, text).
QString singleDroppedFile(const QMimeData *mime);
