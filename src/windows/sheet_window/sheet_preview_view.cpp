#include "sheet_window/sheet_preview_view.h"

#include <QPainter>

#include <cmath>

namespace
{
// Two A4 pages upright side by side fit it at a fifth of their size; the window can be
// made larger for a larger preview.
const QSize kLeastSize(560, 380);
} // namespace

SheetPreviewView::SheetPreviewView(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(kLeastSize);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SheetPreviewView::showPages(const QImage &pages)
{
    pages_ = pages;
    message_.clear();
    update();
}

void SheetPreviewView::showMessage(const QString &message)
{
    pages_ = QImage();
    message_ = message;
    update();
}

QSize SheetPreviewView::sizeHint() const
{
    return kLeastSize;
}

void SheetPreviewView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    if (!pages_.isNull()) {
        const QSizeF size = pages_.deviceIndependentSize();
        painter.drawImage(QPointF(std::round((width() - size.width()) / 2),
                                  std::round((height() - size.height()) / 2)),
                          pages_);
        return;
    }
    painter.setPen(Qt::white);
    painter.drawText(rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                     message_);
}

void SheetPreviewView::resizeEvent(QResizeEvent *)
{
    if (onResize_)
        onResize_();
}
