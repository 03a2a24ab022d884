#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class MessageService;
class PrintService;

// Printing a frame animation's composed picture or its lattice sheet, one page each, at the
// scale of every other print of the program: one pixel to 1/96 inch, so the printed bars
// match the printed stripes.
namespace frames_print
{

enum class Paper { A4, B5 };
enum class Orientation { Landscape, Portrait };

// The area of the sheet a picture may cover, in pixels at 1/96 inch. Printers cannot reach
// the edge of the sheet; 10 mm on every side is left to them, more than most need, so a
// picture that passes this check is never cut off by the printer's margins.
QSize printableArea(Paper paper, Orientation orientation);

// The Japanese message for a picture larger than that area; empty when it fits.
QString tooLargeMessage(QSize picture, Paper paper, Orientation orientation);

// Refuses a picture larger than the printable area with a message, before any dialog.
// Otherwise shows the print dialog and prints the picture unscaled at the top-left of the
// printable area. A cancelled dialog ends it silently; a printer that fails is reported,
// and its document is abandoned. Returns whether a page went to the printer.
bool PrintFramesPage(const QImage &picture, Paper paper, Orientation orientation,
                     PrintService &printer, MessageService &messages);

} // namespace frames_print
