#pragma once

#include <QApplication>
#include <QLayout>
#include <QStringList>
#include <QWidget>

// What is wrong with a window's layout as it stands: every visible control that sticks out
// of the widget holding it, is smaller than it asks to be, or overlaps a visible sibling.
// Controls that ignore their size hint are only checked for overlaps, and a height the
// window fixes is not checked against the hint. An empty list: none.
inline QStringList layoutFaults(QWidget *window)
{
    window->show();
    // A change of font reaches the window's size through a layout request for each level
    // of layouts.
    for (int level = 0; level < 4; ++level)
        QApplication::processEvents();
    const auto name = [](const QWidget *w) {
        return QStringLiteral("%1 %2 at %3,%4 %5x%6")
            .arg(QString::fromLatin1(w->metaObject()->className()),
                 w->property("text").toString().isEmpty() ? w->property("title").toString()
                                                          : w->property("text").toString())
            .arg(w->x())
            .arg(w->y())
            .arg(w->width())
            .arg(w->height());
    };
    QStringList faults;
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        QWidget *parent = w->parentWidget();
        // The parts of compound controls (a spin box's editor, a scroll area's bars) and the
        // window's own frames are the controls' business.
        if (!w->isVisibleTo(window) || !parent || parent->inherits("QAbstractSpinBox") ||
            parent->inherits("QComboBox") || parent->inherits("QAbstractScrollArea") ||
            w->inherits("QMenu") || w->windowType() != Qt::Widget)
            continue;
        if (!parent->rect().contains(w->geometry()) && !parent->inherits("QScrollArea") &&
            parent->objectName() != QLatin1String("qt_scrollarea_viewport"))
            faults << QStringLiteral("outside its parent: ") + name(w);
        const QSizePolicy policy = w->sizePolicy();
        const QSize hint = w->sizeHint();
        const bool fixedHeight = w->minimumHeight() == w->maximumHeight();
        if (policy.horizontalPolicy() != QSizePolicy::Ignored && hint.isValid() &&
            (w->width() < hint.width() ||
             (!fixedHeight && w->height() < w->minimumSizeHint().height())))
            faults << QStringLiteral("smaller than it asks (%1x%2): ")
                              .arg(hint.width())
                              .arg(hint.height()) +
                          name(w);
        for (QWidget *other : all)
            if (other != w && other->parentWidget() == parent && other->isVisibleTo(window) &&
                w < other && w->geometry().intersects(other->geometry()))
                faults << name(w) + QStringLiteral(" overlaps ") + name(other);
    }
    return faults;
}
