#pragma once

#include <QSizeF>

class QFile;

// What QPdfWriter cannot say, added to a PDF it has written: the paper's exact size and the
// viewer preference not to scale the pages.
namespace sheet
{

// Appends an incremental update (the PDF's own way of amending a file without rewriting
// it) to a finished PDF from QPdfWriter, open for reading and writing:
//  - every page's /MediaBox becomes `pagePoints` exactly. QPdfWriter writes whole points
//    and flips the page about its whole-point height, so the box keeps that top edge and
//    moves only its bottom and right edges: nothing drawn moves on the page.
//  - the catalog asks viewers and print dialogs not to scale the pages:
//    /ViewerPreferences << /PrintScaling /None >>.
// Returns false, with the file as it was or only partly amended, when the file is not laid
// out as QPdfWriter writes it or cannot be read or written.
bool amendPdf(QFile &pdf, QSizeF pagePoints);

} // namespace sheet
