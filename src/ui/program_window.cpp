#include "ui/program_window.h"

#include "ui/activation.h"
#include "ui/controls.h"

#include <QEvent>

ProgramWindow::ProgramWindow(const QString &caption, int clientWidthTwips,
                             int clientHeightTwips, QWidget *parent)
    : QMainWindow(parent), client_(new QWidget(this))
{
    setWindowTitle(caption);
    setWindowIcon(stripedIcon());
    client_->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
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

bool ProgramWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && ActivationTracker::instance().activated(this))
        Form_Activate();
    return QMainWindow::event(event);
}
