#pragma once

#include <QImage>
#include <optional>

class QPrinter;

// The system printer as the print commands use it. Every step may fail by throwing
// CommandError; showPrinter() reports a cancel by throwing DialogCancelled.
//
// A document is open from a successful showPrinter() until endDoc() or abortDoc(). A
// command that fails while its document is open calls abortDoc(), so that no half-made
// page comes out and the printer is released.
// The standard codes of setPaperSize() and setOrientation().
constexpr int kPaperA4 = 9;  // 210 x 297 mm
constexpr int kPaperB5 = 13; // JIS, 182 x 257 mm
constexpr int kPortrait = 1;
constexpr int kLandscape = 2;

class PrintService
{
  public:
    virtual ~PrintService() = default;
    // The system print dialog: the printer confirmed there receives the page.
    virtual void showPrinter() = 0;
    // kPaperA4 or kPaperB5.
    virtual void setPaperSize(int code) = 0;
    // kPortrait or kLandscape.
    virtual void setOrientation(int code) = 0;
    // Height of the whole sheet, in twips.
    virtual double pageHeightTwips() = 0;
    // Paints a picture with its top-left corner at (x, y) twips of the printable area, at
    // its natural size (15 twips per pixel) unless a size in twips is given.
    virtual void paintPicture(const QImage &picture, double xTwips, double yTwips,
                              std::optional<double> widthTwips = std::nullopt,
                              std::optional<double> heightTwips = std::nullopt) = 0;
    // Ends the document: the page goes to the printer.
    virtual void endDoc() = 0;
    // Abandons the open document, if any: nothing comes out. Never fails.
    virtual void abortDoc() noexcept = 0;

    // The system print dialog for a document the caller draws itself at the printer's own
    // dots (the print sheet): sets up `printer` as the user confirms it. False when the
    // user cancelled, or where there is no printer to choose.
    virtual bool choosePrinterFor(QPrinter &printer)
    {
        (void)printer;
        return false;
    }
};
