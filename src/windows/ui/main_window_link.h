#pragma once

class QImage;

// What the secondary windows ask of the main window. They know the main window only
// through this, so none of them depends on the main window's controls or header.
class MainWindowLink
{
  public:
    // A dialog closes and hands the user back to the main window.
    virtual void showAndActivate() = 0;
    // The settings dialog applied a new line width: the main window shows it.
    virtual void showLineWidth(int width) = 0;
    // The editor hands its picture over to slot 0 or 1 of the main window.
    virtual void FillSlot(int slot, const QImage &picture) = 0;

  protected:
    ~MainWindowLink() = default;
};
