#pragma once

#include "main_window/form1.h"
#include "platform/app_services.h"
#include "platform/interval_timer.h"
#include "platform/platform.h"
#include "platform/scripted_file_dialogs.h"
#include "state/program_state.h"
#include "support/recording_printer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// A whole program for one test: its shared state, the main window, and doubles for every
// service (scripted dialogs, a recording printer, a manual clock, a fake application,
// recorded messages).
class ProgramFixture : public ::testing::Test
{
  protected:
    ProgramFixture();
    ~ProgramFixture() override;

    form1 &window() { return *window_; }
    MainSurfaces &surfaces() { return state.main; }
    SharedState &vars() { return state.vars; }
    // The clock of Timer1.
    ManualTimer &clock() { return *clock_; }
    // What the line-width dialog leaves behind: all three widths w, the lattices redrawn.
    void setLineWidth(int w);
    // Writes a picture into the temporary folder and returns its path.
    QString writePicture(const QImage &picture, const QString &name, const char *format = "BMP");

    QTemporaryDir temp;
    ProgramState state;
    ScriptedFileDialogs dialogs;
    RecordingPrinter printer;
    FakeAppServices app;
    RecordedMessages messages;
    ManualTimer *clock_ = nullptr;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<form1> window_;
};
