#pragma once

#include "platform/print_service.h"

#include <QRectF>

#include <memory>
#include <vector>

class QPaintDevice;
class QPrinter;

// The system printer on QPrinter, chosen in QPrintDialog.
//
// The page is built up in memory and rendered onto the printer in one go by endDoc(): a
// command that fails half-way (a refused paper size, a missing picture) then leaves no
// begun print job behind, and nothing is sent. A job that cannot be completed (the printer
// refuses it, a PDF file cannot be written) throws PrintNotCompleted.
class QtPrintService : public PrintService
{
  public:
    QtPrintService();
    ~QtPrintService() override;
    void showPrinter() override;
    void setPaperSize(int code) override;
    void setOrientation(int code) override;
    double pageHeightTwips() override;
    void paintPicture(const QImage &picture, double xTwips, double yTwips,
                      std::optional<double> widthTwips = std::nullopt,
                      std::optional<double> heightTwips = std::nullopt) override;
    void endDoc() override;
    void abortDoc() noexcept override;
    bool choosePrinterFor(QPrinter &printer) override { return choosePrinter(printer); }

  protected:
    // Lets the user choose and set up the printer of the next document; false when the
    // user cancelled.
    virtual bool choosePrinter(QPrinter &printer);
    // Called after a document was rendered and sent (or written).
    virtual void documentEnded(QPrinter &) {}

  private:
    struct Drawing {
        QImage picture;
        double xTwips, yTwips;
        std::optional<double> widthTwips, heightTwips;
    };
    QPrinter &openPrinter() const;
    static bool paintPage(QPaintDevice &device, const std::vector<Drawing> &page);
    static void printToPdfFile(QPrinter &printer, const std::vector<Drawing> &page);

    std::unique_ptr<QPrinter> printer_;
    std::vector<Drawing> page_;
};
