#include "platform/qt_print_service.h"

#include "platform/command_error.h"

QtPrintService::QtPrintService() = default;
QtPrintService::~QtPrintService() = default;

void QtPrintService::showPrinter()
{
    throw DialogCancelled();
}

void QtPrintService::setPaperSize(int) {}
void QtPrintService::setOrientation(int) {}
double QtPrintService::pageHeightTwips()
{
    return 0;
}
void QtPrintService::paintPicture(const QImage &, double, double, std::optional<double>,
                                  std::optional<double>)
{
}
void QtPrintService::endDoc() {}
void QtPrintService::abortDoc() {}
