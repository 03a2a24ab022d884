#pragma once

#include "platform/command_error.h"
#include "platform/print_service.h"

#include <QString>
#include <vector>

// A printer double that records every call; it can be told to cancel its dialog or to
// fail at a given step.
class RecordingPrinter : public PrintService {
public:
    struct Painted {
        QImage picture;
        double x, y;
        std::optional<double> width, height;
    };

    bool cancelDialog = false;
    bool failPainting = false;
    double pageHeight = 16838; // A4 portrait, 297 mm in twips

    std::vector<QString> calls;
    std::vector<Painted> painted;
    int paperSize = 0;
    int orientation = 0;

    void showPrinter() override
    {
        calls.push_back(QStringLiteral("showPrinter"));
        if (cancelDialog)
            throw DialogCancelled();
    }
    void setPaperSize(int code) override
    {
        calls.push_back(QStringLiteral("paper %1").arg(code));
        paperSize = code;
    }
    void setOrientation(int code) override
    {
        calls.push_back(QStringLiteral("orientation %1").arg(code));
        orientation = code;
    }
    double pageHeightTwips() override
    {
        calls.push_back(QStringLiteral("pageHeight"));
        return pageHeight;
    }
    void paintPicture(const QImage &picture, double x, double y, std::optional<double> w,
                      std::optional<double> h) override
    {
        calls.push_back(QStringLiteral("paint"));
        if (failPainting)
            throw CommandError("printer failed");
        painted.push_back({picture, x, y, w, h});
    }
    void endDoc() override { calls.push_back(QStringLiteral("endDoc")); }
    void abortDoc() override { calls.push_back(QStringLiteral("abortDoc")); }
};
