#include "platform/surface_view.h"

#include "platform/picture_file.h"
#include "platform/picture_holder.h"
#include "platform/surface.h"

#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "platform/colour.h"

namespace
{

int widthOf(Border border)
{
    switch (border) {
    case Border::None:
        return 0;
    case Border::Flat:
        return 1;
    case Border::Sunken:
        return 2;
    }
    return 0;
}

} // namespace

void paintBorder(QWidget *widget, Border border)
{
    QPainter painter(widget);
    const QRect r = widget->rect();
    switch (border) {
    case Border::None:
        return;
    case Border::Flat:
        // Filled one pixel wide rather than stroked: at a screen scale above 1 a stroked
        // frame spreads inward and covers part of the outermost surface pixels.
        for (const QRect &edge :
             {QRect(r.left(), r.top(), r.width(), 1), QRect(r.left(), r.bottom(), r.width(), 1),
              QRect(r.left(), r.top(), 1, r.height()), QRect(r.right(), r.top(), 1, r.height())})
            painter.fillRect(edge, QColor(0, 0, 0));
        return;
    case Border::Sunken:
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(QColor(255, 255, 255));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        painter.setPen(QColor(64, 64, 64));
        painter.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
        painter.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
        return;
    }
}

SurfaceView::SurfaceView(Surface &surface, Border border, QWidget *parent)
    : QWidget(parent), surface_(surface), border_(border)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.attachView(this);
}

int SurfaceView::borderWidth() const
{
    return widthOf(border_);
}

void SurfaceView::paintEvent(QPaintEvent *)
{
    {
        QPainter painter(this);
        const int b = borderWidth();
        const QRect inner = rect().adjusted(b, b, -b, -b);
        painter.fillRect(inner, toQColor(surface_.backColor()));
        painter.setClipRect(inner);
        // No smoothing: at a screen scale above 1 each surface pixel becomes a sharp block.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (const std::optional<Colour> plain = surface_.plainColour())
            painter.fillRect(QRect(b, b, surface_.width(), surface_.height()), toQColor(*plain));
        else
            painter.drawImage(QPoint(b, b), surface_.image());
    }
    paintBorder(this, border_);
}

HolderView::HolderView(PictureHolder &holder, Border border, QWidget *parent)
    : QWidget(parent), holder_(holder), border_(border)
{
    holder_.attachView(this);
}

void HolderView::paintEvent(QPaintEvent *)
{
    {
        QPainter painter(this);
        const int b = widthOf(border_);
        if (!holder_.picture().isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(rect().adjusted(b, b, -b, -b), holder_.picture());
        }
    }
    paintBorder(this, border_);
}

void HolderView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

QString singleDroppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return QString();
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return QString();
    return urls.constFirst().toLocalFile();
}

void HolderView::acceptPictureDrops()
{
    setAcceptDrops(true);
}

void HolderView::dragEnterEvent(QDragEnterEvent *event)
{
    const QString path = singleDroppedFile(event->mimeData());
    // Reading the header is enough to refuse what is plainly not a picture while dragging;
    // a FIFO or a device is refused without being opened.
    if (looksLikePictureFile(path))
        event->acceptProposedAction();
    else
        event->ignore();
}

void HolderView::dropEvent(QDropEvent *event)
{
    const QString path = singleDroppedFile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit pictureDropped(path);
}
