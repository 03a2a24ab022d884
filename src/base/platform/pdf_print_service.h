#pragma once

#include "platform/qt_print_service.h"

#include <QString>

#include <functional>

class QPrinter;

// The Qt printer without its dialog: every document goes into one PDF file, or to a named
// print queue. Used where no user is there to answer the print dialog.
class PdfPrintService : public QtPrintService {
public:
    explicit PdfPrintService(const QString &outputFile);

    // Sends the documents to the named queue instead of the file.
    void setPrinterName(const QString &name) { printerName_ = name; }
    // The title of the documents, as print queues show it.
    void setDocName(const QString &name) { docName_ = name; }
    // Stands in for what the user sets in the print dialog before confirming it.
    std::function<void(QPrinter &)> dialogSettings;

    // Documents ended so far.
    int documentsEnded() const { return ended_; }

protected:
    bool choosePrinter(QPrinter &printer) override;
    void documentEnded(QPrinter &printer) override;

private:
    QString outputFile_;
    QString printerName_;
    QString docName_;
    int ended_ = 0;
};
