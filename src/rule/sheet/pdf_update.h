#pragma once

#include "platform/picture_rows.h"

#include <QImage>
#include <QSize>
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
//  - with `picture`, the stand-in image (picturePlaceholder()) on the first page becomes the
//    picture, written a band of rows at a time as a Flate stream with the PNG predictor
//    (each row by its difference from the row above, zlib's run-length strategy), so the
//    picture is never held whole. It keeps the stand-in's place on the page.
bool amendPdf(const QString &pdfPath, QIODevice &out, QSizeF pagePoints);

struct StreamedPicture {
    QSize size;
    RowSource rows;
};
bool amendPdf(const QString &pdfPath, QIODevice &out, QSizeF pagePoints,
              const StreamedPicture &picture);

// The image a page draws where a streamed picture goes: two pixels of colour, which the PDF
// engine stores as a plain RGB image.
QImage picturePlaceholder();

} // namespace sheet
