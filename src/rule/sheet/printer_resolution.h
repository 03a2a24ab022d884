#pragma once

#include <QString>

class QPrinter;

// How finely a printer really prints. Qt lays out every page for a print queue at its own
// 1200 units per inch, while the print system rasterizes the page at the queue's resolution
// (300 or 600 dpi on most printers): a slit of whole 1200-dpi units is then not a whole
// number of the printer's dots, and the stripes beat against the printer's grid.
namespace sheet
{

// The resolution the print system gives the queue by default, in dots per inch, or 0 where
// it says none (no scheduler, no such queue).
int queueResolution(const QString &printerName);

// The resolution a sheet is laid out at on this printer: the queue's own when Qt's units are
// a whole multiple of it, so that every dot of the sheet is a whole number of units and
// every edge falls on a dot of the printer; otherwise (a PDF file, an unknown queue) Qt's.
int sheetResolution(const QPrinter &printer);

} // namespace sheet
