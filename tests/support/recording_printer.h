#pragma once

#include "platform/command_error.h"
#include "platform/print_service.h"

#include <string>
#include <vector>

// A printer double that records every call ("showPrinter", "paper 9", "orientation 2",
// "pageHeight", "paint", "endDoc", "abortDoc"); it can be told to cancel its dialog or to
// fail at a given step ("paper", "orientation", "pageHeight", "paint", "endDoc").
class RecordingPrinter : public PrintService
{
  public:
    struct Painted {
        QImage picture;
        double x, y;
        std::optional<double> width, height;
    };

    bool cancelDialog = false;
    std::string failAt;
    double pageHeight = 16838; // A4 portrait, 297 mm in twips

    std::vector<std::string> calls;
    std::vector<Painted> painted; // on the page of the last document
    bool documentOpen = false;    // from a confirmed dialog until ended or abandoned
    int pagesOut = 0;

    void showPrinter() override
    {
        step("showPrinter");
        if (cancelDialog)
            throw DialogCancelled();
        documentOpen = true;
        painted.clear();
    }
    void setPaperSize(int code) override { step("paper", code); }
    void setOrientation(int code) override { step("orientation", code); }
    double pageHeightTwips() override
    {
        step("pageHeight");
        return pageHeight;
    }
    void paintPicture(const QImage &picture, double x, double y, std::optional<double> w,
                      std::optional<double> h) override
    {
        step("paint");
        painted.push_back({picture, x, y, w, h});
    }
    void endDoc() override
    {
        step("endDoc");
        pagesOut += documentOpen && !painted.empty();
        documentOpen = false;
    }
    void abortDoc() noexcept override
    {
        calls.push_back("abortDoc");
        documentOpen = false;
        painted.clear();
    }

  private:
    void step(const std::string &name, std::optional<int> code = std::nullopt)
    {
        calls.push_back(code ? name + " " + std::to_string(*code) : name);
        if (failAt == name)
            throw CommandError("printer failed");
    }
};
