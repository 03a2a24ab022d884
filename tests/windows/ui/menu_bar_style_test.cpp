#include "ui/menu_bar_style.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QStyle>
#include <gtest/gtest.h>

namespace
{

// The menu bar's "»" is Qt's own arrow, read only when it is first drawn or measured.
TEST(MenuBarStyle, ExtensionArrowIsQtsPicture)
{
    installMenuBarStyle();
    const QIcon arrow =
        QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    const QImage expected(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-16.png"));
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(arrow.actualSize(QSize(64, 64)), expected.size());
    const QImage drawn = arrow.pixmap(expected.size()).toImage();
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_ARGB32),
              expected.convertToFormat(QImage::Format_ARGB32));
}

} // namespace
