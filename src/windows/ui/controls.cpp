#include "ui/controls.h"

#include "platform/surface_view.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>

namespace
{
const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

void installFontSubstitutions()
{
    QFont::insertSubstitutions(kGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                                         QStringLiteral("Noto Sans CJK JP")});
}

QFont gothicFont(double points, bool bold)
{
    QFont font(kGothic);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setBackground(QWidget *widget, Colour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::Button, toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPushButton *colouredButton(QWidget *parent, const QString &caption, Colour colour,
                            const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    // A style sheet gives the graphical look with a solid face in every widget style.
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid #404040;"
                       " border-right-color: #202020; border-bottom-color: #202020; }"
                       "QPushButton:pressed { border: 2px inset #404040; }"
                       "QPushButton:focus { border: 1px dotted #000000; }")
            .arg(toQColor(colour).name()));
    return button;
}

QPushButton *plainButton(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    return button;
}

QLabel *captionLabel(QWidget *parent, const QString &caption, Colour background, double points,
                     const QRect &geometry)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(gothicFont(points));
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
    setBackground(label, background);
    return label;
}

QLabel *plainLabel(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QGroupBox *frame(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *box = new QGroupBox(caption, parent);
    box->setGeometry(geometry);
    return box;
}

QRadioButton *optionButton(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *option = new QRadioButton(caption, parent);
    option->setGeometry(geometry);
    return option;
}

SurfaceView *flatSurfaceView(Surface &surface, QWidget *parent, const QRect &area)
{
    auto *view = new SurfaceView(surface, Border::Flat, parent);
    view->setGeometry(area.adjusted(-1, -1, 1, 1));
    return view;
}

HolderView *thumbnailView(PictureHolder &holder, QWidget *parent, const QRect &geometry)
{
    auto *view = new HolderView(holder, Border::Flat, parent);
    view->setGeometry(geometry);
    return view;
}

void stackFrontToBack(std::initializer_list<QWidget *> frontFirst)
{
    // Raising from the back to the front leaves the first widget on top.
    std::vector<QWidget *> widgets(frontFirst);
    std::for_each(widgets.rbegin(), widgets.rend(), [](QWidget *w) { w->raise(); });
}

void chainTabOrder(std::initializer_list<QWidget *> inOrder)
{
    const QWidget *previous = nullptr;
    for (QWidget *w : inOrder) {
        if (previous)
            QWidget::setTabOrder(const_cast<QWidget *>(previous), w);
        previous = w;
    }
}

QImage stripedIconImage(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    if (icon.isNull())
        return icon;
    // Every row is the same: the first is built, the others copied from it.
    const int stripe = std::max(1, size / 16);
    auto *first = reinterpret_cast<QRgb *>(icon.scanLine(0));
    for (int x = 0; x < size; ++x)
        first[x] = (x / stripe) % 2 == 0 ? qRgba(0, 0, 0, 0) : qRgb(0, 255, 255);
    for (int y = 1; y < size; ++y)
        std::copy(first, first + size, reinterpret_cast<QRgb *>(icon.scanLine(y)));
    return icon;
}

QIcon stripedIcon()
{
    // Every size of a window's icon is sent to the display when the window is created; the
    // large ones (128 and 256 would be nine tenths of its 350 KB) come from the installed
    // icon theme through the desktop entry instead.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(stripedIconImage(size)));
    return icon;
}
