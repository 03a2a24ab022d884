#pragma once

#include "platform/command_error.h"
#include "platform/print_service.h"

#include <QString>
#include <vector>

// A printer double that records every call; it can be told to cancel its dialog or to
// fail at a given step ("paper", "orientation", "pageHeight", "paint", "endDoc").
class RecordingPrinter : public PrintService {
public:
    struct Painted {
        QImage picture;
        double x, y;
        std::optional<double> width, height;
    };

    bool cancelDialog = false;
    QString failAt;
    double pageHeight = 16838; // A4 portrait, 297 mm in twips

    std::vector<QString> calls;
    std::vector<Painted> painted;
    int paperSize = 0;
    int orientation = 0;
    // True from a confirmed dialog until the document is ended or abandoned.
    bool documentOpen = false;
    int pagesOut = 0;

    void showPrinter() override
    {
        calls.push_back(QStringLiteral("showPrinter"));
        if (cancelDialog)
            throw DialogCancelled();
        documentOpen = true;
        painted.clear();
    }
    void setPaperSize(int code) override
    {
        calls.push_back(QStringLiteral("paper %1").arg(code));
        failIf(QStringLiteral("paper"));
        paperSize = code;
    }
    void setOrientation(int code) override
    {
        calls.push_back(QStringLiteral("orientation %1").arg(code));
        failIf(QStringLiteral("orientation"));
        orientation = code;
    }
    double pageHeightTwips() override
    {
        calls.push_back(QStringLiteral("pageHeight"));
        failIf(QStringLiteral("pageHeight"));
        return pageHeight;
    }
    void paintPicture(const QImage &picture, double x, double y, std::optional<double> w,
                      std::optional<double> h) override
    {
        calls.push_back(QStringLiteral("paint"));
        failIf(QStringLiteral("paint"));
        painted.push_back({picture, x, y, w, h});
    }
    void endDoc() override
    {
        calls.push_back(QStringLiteral("endDoc"));
        failIf(QStringLiteral("endDoc"));
        if (documentOpen && !painted.empty())
            ++pagesOut;
        documentOpen = false;
    }
    void abortDoc() noexcept override
    {
        calls.push_back(QStringLiteral("abortDoc"));
        documentOpen = false;
        painted.clear();
    }

private:
    void failIf(const QString &step)
    {
        if (failAt == step)
            throw CommandError("printer failed");
    }
};
