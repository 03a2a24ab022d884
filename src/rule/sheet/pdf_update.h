#pragma once

#include <QSizeF>
#include <QString>

class QIODevice;

// What QPdfWriter cannot say, added to a PDF it has written: the paper's exact size and the
// viewer preference not to scale the pages.
namespace sheet
{

// Writes the PDF at `pdfPath` (as QPdfWriter wrote it) into `out`, amended:
//  - every page's /MediaBox becomes `pagePoints` exactly. QPdfWriter writes whole points
//    and flips the page about its whole-point height, so the box keeps that top edge and
//    moves only its bottom and right edges: nothing drawn moves on the page.
//  - the catalog asks viewers and print dialogs not to scale the pages:
//    /ViewerPreferences << /PrintScaling /None >>.
// The pages' streams are copied as they are, not decoded again. Returns false when the
// file cannot be read as a PDF or `out` cannot be written; nothing is written to `out`
// when the file cannot be read.
bool amendPdf(const QString &pdfPath, QIODevice &out, QSizeF pagePoints);

} // namespace sheet
