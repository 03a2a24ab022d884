#include "main_window/centring.h"

#include "platform/numeric.h"

QPoint centredPositionTwips(QSize screenTwips, QSize windowTwips)
{
    // Integer division truncates toward zero, as the halving must.
    const int left = roundHalfEven(double(screenTwips.width()) - windowTwips.width()) / 2;
    const int top = roundHalfEven(double(screenTwips.height()) - windowTwips.height()) / 2;
    return QPoint(left, top);
}
