#pragma once

#include "platform/colour.h"

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <QString>

#include <initializer_list>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;
class Surface;
class SurfaceView;
class PictureHolder;
class HolderView;

// Window layouts are given in twips, 15 to a pixel at 96 pixels per inch.
constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

// A rectangle given as left, top, width, height in twips.
QRect twipsRect(int left, int top, int width, int height);

// The Japanese Gothic face of the captions, "ＭＳ Ｐゴシック", at a size in points.
QFont gothicFont(double points, bool bold = false);
// Maps "ＭＳ Ｐゴシック" to an installed proportional Gothic face; call once at start.
void installFontSubstitutions();

// A button drawn with its own background colour.
QPushButton *colouredButton(QWidget *parent, const QString &caption, Colour colour,
                            const QRect &geometry);
// A button with the platform's normal look.
QPushButton *plainButton(QWidget *parent, const QString &caption, const QRect &geometry);
// A caption label: centred, thin border, coloured background, the Gothic face.
QLabel *captionLabel(QWidget *parent, const QString &caption, Colour background, double points,
                     const QRect &geometry);
// A plain label on a coloured background (no colour: the window's).
QLabel *plainLabel(QWidget *parent, const QString &caption, const QRect &geometry);
QGroupBox *frame(QWidget *parent, const QString &caption, const QRect &geometry);
QRadioButton *optionButton(QWidget *parent, const QString &caption, const QRect &geometry);

// A surface whose drawing area lies at `area` (in pixels), inside a thin flat border; the
// surfaces that share an area cover each other exactly.
SurfaceView *flatSurfaceView(Surface &surface, QWidget *parent, const QRect &area);
// A thumbnail: the holder's picture stretched into `geometry`, in a thin flat border.
HolderView *thumbnailView(PictureHolder &holder, QWidget *parent, const QRect &geometry);

// Gives a widget laid out by a layout the size it must have at least (its size at 96 dpi
// in the window's design) and returns it.
template <class Widget> Widget *atLeast(Widget *widget, int width, int height)
{
    widget->setMinimumSize(width, height);
    return widget;
}

// Sets a widget's background colour.
void setBackground(QWidget *widget, Colour colour);

// Stacks widgets that share a place: the first of the list in front.
void stackFrontToBack(std::initializer_list<QWidget *> frontFirst);
// Chains the tab order in the order given.
void chainTabOrder(std::initializer_list<QWidget *> inOrder);

// The program's icon: vertical stripes, alternately transparent and cyan, beginning with a
// transparent stripe at the left edge; 2 pixels wide at 32 x 32 and in proportion at
// other sizes.
QImage stripedIconImage(int size);
QIcon stripedIcon();
