#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

// The page preview of the print-sheet window: shows a picture of the pages, centred and
// never enlarged, or in its place a message saying why there are no pages. It draws
// nothing of the sheet itself; it tells the window when its size changes.
class SheetPreviewView : public QWidget
{
    Q_OBJECT
  public:
    explicit SheetPreviewView(QWidget *parent = nullptr);

    void showPages(const QImage &pages);
    void showMessage(const QString &message);
    const QImage &pages() const { return pages_; }
    const QString &message() const { return message_; }
    // Called when the room for the pages changes.
    void setOnResize(std::function<void()> onResize) { onResize_ = std::move(onResize); }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    QImage pages_;
    QString message_;
    std::function<void()> onResize_;
};
