#include "support/real_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

// The window program stopped by SIGINT, SIGTERM or SIGHUP removes the temporary files of
// what it was writing, leaves the old file as it was and ends with the signal's status.
namespace
{

// A process that never started has no id, and kill(0) would signal the whole group the
// tests run in.
void send(const QProcess &process, int signal)
{
    const qint64 pid = process.processId();
    ASSERT_GT(pid, 0);
    ::kill(pid_t(pid), signal);
}

class StopSignals : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(real_files::writeBytes(temp.filePath("picture.png"), "old picture"));
    }
    QStringList entries() const
    {
        return QDir(temp.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
    // Starts the stand-in half-way through writing picture.png under a named temporary.
    void startWriting(QProcess &process, const QStringList &extra = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", LINTARO_NAMED_TEMPORARIES);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(temp.path());
        process.start(LINTARO_STOP_SIGNALS_CHILD, QStringList{"picture.png"} + extra);
        ASSERT_TRUE(process.waitForReadyRead(10000));
        ASSERT_EQ(process.readAllStandardOutput(), "ready\n");
        ASSERT_EQ(entries().size(), 2) << entries().join(' ').toStdString();
    }
    void expectEndedWith(QProcess &process, int status)
    {
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), status);
        EXPECT_EQ(entries(), QStringList{"picture.png"});
        QFile old(temp.filePath("picture.png"));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old picture");
    }

    QTemporaryDir temp;
};

TEST_F(StopSignals, TheEventLoopRemovesTemporariesAndEndsWithTheSignalsStatus)
{
    for (const auto &[signal, status] : {std::pair{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
        SCOPED_TRACE(signal);
        QProcess process;
        startWriting(process);
        send(process, signal);
        expectEndedWith(process, status);
    }
}

// With the GUI thread busy the first signal waits for the loop; a second ends it at once.
TEST_F(StopSignals, ASecondSignalEndsABusyProgram)
{
    QProcess process;
    startWriting(process, {"busy"});
    send(process, SIGTERM);
    EXPECT_FALSE(process.waitForFinished(300));
    send(process, SIGINT);
    expectEndedWith(process, 130);
}

// The window program itself installs the handling: stopped once its window is up.
TEST_F(StopSignals, TheWindowProgramEndsWithTheSignalsStatus)
{
    QProcess process;
    process.setWorkingDirectory(temp.path());
    // A picture that does not load is named on standard error once the window is open.
    process.start(LINTARO_APP, {"missing.png"});
    ASSERT_TRUE(process.waitForStarted(10000));
    QElapsedTimer waited;
    waited.start();
    QByteArray said;
    while (!said.contains("missing.png") && waited.elapsed() < 20000 &&
           process.state() == QProcess::Running) {
        process.waitForReadyRead(100);
        said += process.readAllStandardError();
    }
    ASSERT_TRUE(said.contains("missing.png")) << said.toStdString();
    send(process, SIGTERM);
    expectEndedWith(process, 143);
}

} // namespace
