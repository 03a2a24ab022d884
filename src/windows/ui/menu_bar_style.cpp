#include "ui/menu_bar_style.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

namespace
{

// The same picture as Qt's style uses, read as what it is: a PNG.
QIcon extensionArrow()
{
    QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/"
                                       "toolbar-ext-h-16.png"),
                        "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

// The arrow, read the first time it is drawn or measured: the menu bar shows it only when
// its entries do not fit, and any picture read at start makes Qt list the picture format
// plugins.
class ExtensionArrowEngine : public QIconEngine
{
  public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        arrow().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return arrow().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return arrow().pixmap(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return arrow().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new ExtensionArrowEngine(*this); }

  private:
    const QIcon &arrow()
    {
        if (arrow_.isNull())
            arrow_ = extensionArrow();
        return arrow_;
    }

    QIcon arrow_;
};

class MenuBarStyle : public QProxyStyle
{
  public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        if (which != SP_ToolBarHorizontalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        return QIcon(new ExtensionArrowEngine);
    }
};

} // namespace

void installMenuBarStyle()
{
    static QPointer<QStyle> installed;
    if (!installed || QApplication::style() != installed) {
        installed = new MenuBarStyle(QApplication::style()->name());
        QApplication::setStyle(installed);
    }
}
