#pragma once

#include "platform/colour.h"

#include <QMainWindow>

class QLayout;

// A window of the program: the striped icon, an activation event that fires only on a
// change between the program's own windows, and a client area of one of two kinds: fixed
// and laid out in twips (the windows of the old design), or sized by a Qt layout.
class ProgramWindow : public QMainWindow {
    Q_OBJECT
public:
    ProgramWindow(const QString &caption, int clientWidthTwips, int clientHeightTwips,
                  QWidget *parent = nullptr);
    // A window whose client area takes the size its layout asks (see setClientLayout).
    explicit ProgramWindow(const QString &caption, QWidget *parent = nullptr);
    ~ProgramWindow() override;

    // The client area; controls are placed on it at absolute positions.
    QWidget *client() const { return client_; }
    void setClientBackground(Colour colour);
    // Fixes the window's size once its controls and menus are in place.
    void fixSize();
    // Lays the client area out with `layout`. The window keeps the size the layout asks,
    // and follows it when the font or the screen's scale changes that size; the user
    // cannot resize it.
    void setClientLayout(QLayout *layout);

    // Runs when the window becomes the active window among the program's windows.
    virtual void Form_Activate() {}

protected:
    bool event(QEvent *event) override;

private:
    QWidget *client_;
};
