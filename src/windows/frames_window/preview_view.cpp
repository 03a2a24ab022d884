#include "frames_window/preview_view.h"

#include <QMouseEvent>

PreviewView::PreviewView(Surface &surface, QWidget *parent)
    : SurfaceView(surface, Border::Flat, parent)
{
    setCursor(Qt::SizeHorCursor);
}

void PreviewView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        lastX_ = event->position().toPoint().x();
    SurfaceView::mousePressEvent(event);
}

void PreviewView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        const int x = event->position().toPoint().x();
        if (x != lastX_)
            emit dragged(x - lastX_);
        lastX_ = x;
    }
    SurfaceView::mouseMoveEvent(event);
}
