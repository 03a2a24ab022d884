#pragma once

#include "platform/surface_view.h"

// The preview of a frame animation: shows its surface at one pixel per pixel and reports
// how far the mouse travels sideways while its left button is held.
class PreviewView : public SurfaceView
{
    Q_OBJECT
  public:
    PreviewView(Surface &surface, QWidget *parent);

  signals:
    // Pixels of mouse travel since the last report; positive to the right.
    void dragged(int travel);

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    int lastX_ = 0;
};
