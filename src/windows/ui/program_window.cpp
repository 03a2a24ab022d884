#include "ui/program_window.h"

#include "ui/activation.h"
#include "ui/controls.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QTimer>

namespace
{

// For measuring start-up: with LINTARO_EXIT_AFTER_FIRST_PAINT set, the program ends right
// after its first window has painted.
void quitAfterFirstPaintWhenAsked()
{
    static bool asked = qEnvironmentVariableIsSet("LINTARO_EXIT_AFTER_FIRST_PAINT");
    if (asked) {
        asked = false;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
}

} // namespace

ProgramWindow::ProgramWindow(const QString &caption, int clientWidthTwips, int clientHeightTwips,
                             QWidget *parent)
    : QMainWindow(parent), client_(new QWidget(this))
{
    setWindowTitle(caption);
    setWindowIcon(stripedIcon());
    client_->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    setCentralWidget(client_);
}

ProgramWindow::ProgramWindow(const QString &caption, QWidget *parent)
    : QMainWindow(parent), client_(new QWidget(this))
{
    setWindowTitle(caption);
    setWindowIcon(stripedIcon());
    setCentralWidget(client_);
}

ProgramWindow::~ProgramWindow()
{
    ActivationTracker::instance().forget(this);
}

void ProgramWindow::setClientBackground(Colour colour)
{
    setBackground(client_, colour);
}

void ProgramWindow::fixSize()
{
    adjustSize();
    setFixedSize(sizeHint());
}

void ProgramWindow::setClientLayout(QLayout *layout)
{
    client_->setLayout(layout);
    QMainWindow::layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The window has its size from now on, before it is first shown.
    QMainWindow::layout()->activate();
}

bool ProgramWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && ActivationTracker::instance().activated(this))
        Form_Activate();
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Paint)
        quitAfterFirstPaintWhenAsked();
    return handled;
}
