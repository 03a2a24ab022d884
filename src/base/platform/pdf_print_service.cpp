#include "platform/pdf_print_service.h"

#include <QPrinter>

PdfPrintService::PdfPrintService(const QString &outputFile) : outputFile_(outputFile) {}

bool PdfPrintService::choosePrinter(QPrinter &printer)
{
    if (printerName_.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile_);
    } else {
        printer.setPrinterName(printerName_);
    }
    if (!docName_.isEmpty())
        printer.setDocName(docName_);
    if (dialogSettings)
        dialogSettings(printer);
    return true;
}

void PdfPrintService::documentEnded(QPrinter &)
{
    ++ended_;
}
