#include "ui/menu_bar_style.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

namespace
{

class MenuBarStyle : public QProxyStyle
{
  public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        if (which != SP_ToolBarHorizontalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        // The same picture as Qt's style uses, read as what it is: a PNG.
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/"
                                           "toolbar-ext-h-16.png"),
                            "png");
        reader.setAutoDetectImageFormat(false);
        return QIcon(QPixmap::fromImage(reader.read()));
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
