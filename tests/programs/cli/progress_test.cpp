#include "cli/progress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{

TEST(CliProgress, PrintsStepsOfLongWorkOnlyAndFailuresAlways)
{
    using namespace std::chrono_literals;
    QString text;
    QTextStream err(&text);
    {
        cli::Progress quick(err, false, 60s);
        quick.step(QStringLiteral("loading frame 1 of 2: a.png"));
    }
    EXPECT_TRUE(text.isEmpty());
    {
        cli::Progress slow(err, false, 0ms);
        slow.step(QStringLiteral("composing frame 1 of 2"));
    }
    EXPECT_EQ(text, QStringLiteral("lintaro-cli: composing frame 1 of 2\n"));
    text.clear();
    {
        // Once the work has run long enough, the step in hand is printed, then every next.
        cli::Progress later(err, false, 10ms);
        later.step(QStringLiteral("loading frame 1 of 2: a.png"));
        std::this_thread::sleep_for(500ms);
        later.step(QStringLiteral("composing frame 1 of 2"));
    }
    EXPECT_EQ(text, QStringLiteral("lintaro-cli: loading frame 1 of 2: a.png\n"
                                   "lintaro-cli: composing frame 1 of 2\n"));
    text.clear();
    {
        cli::Progress quiet(err, true, 0ms);
        quiet.step(QStringLiteral("writing out.png"));
        quiet.report(QStringLiteral("cannot write out.png: Permission denied"));
    }
    EXPECT_EQ(text, QStringLiteral("lintaro-cli: cannot write out.png: Permission denied\n"));
}

} // namespace
