#pragma once

#include "platform/colour.h"

#include <QMainWindow>

// A window of the program: fixed client area laid out in twips, the striped icon, and an
// activation event that fires only on a change between the program's own windows.
class ProgramWindow : public QMainWindow {
    Q_OBJECT
public:
    ProgramWindow(const QString &caption, int clientWidthTwips, int clientHeightTwips,
                  QWidget *parent = nullptr);
    ~ProgramWindow() override;

    // The client area; controls are placed on it at absolute positions.
    QWidget *client() const { return client_; }
    void setClientBackground(Colour colour);
    // Fixes the window's size once its controls and menus are in place.
    void fixSize();

    // Runs when the window becomes the active window among the program's windows.
    virtual void Form_Activate() {}

protected:
    bool event(QEvent *event) override;

private:
    QWidget *client_;
};
