#pragma once

#include "platform/print_service.h"

#include <memory>

class QPrinter;
class QPainter;

// The system printer on QPrinter, chosen in QPrintDialog.
class QtPrintService : public PrintService {
public:
    QtPrintService();
    ~QtPrintService() override;
    void showPrinter() override;
    void setPaperSize(int code) override;
    void setOrientation(int code) override;
    double pageHeightTwips() override;
    void paintPicture(const QImage &picture, double xTwips, double yTwips,
                      std::optional<double> widthTwips,
                      std::optional<double> heightTwips) override;
    void endDoc() override;
    void abortDoc() override;
};
