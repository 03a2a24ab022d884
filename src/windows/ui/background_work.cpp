#include "ui/background_work.h"

#include "sources/frame_source.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QProgressDialog>

#include <exception>
#include <memory>
#include <thread>

bool runInBackground(QWidget *parent, const QString &label, int steps, const BackgroundWork &work)
{
    static bool running = false;
    if (running)
        return false;
    running = true;
    struct Done {
        ~Done() { running = false; }
    } done;
    // Shared with the thread, which may finish after the dialog has gone.
    struct Shared {
        std::atomic<bool> cancel{false};
        std::exception_ptr failure;
        bool cancelled = false;
    };
    auto shared = std::make_shared<Shared>();
    QProgressDialog progress(label, QStringLiteral("中止"), 0, steps, parent);
    progress.setWindowTitle(parent ? parent->windowTitle() : QString());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QObject::connect(&progress, &QProgressDialog::canceled, [shared] { shared->cancel = true; });
    QEventLoop loop;
    QPointer<QProgressDialog> shown(&progress);
    std::thread thread([&, shared] {
        try {
            work(shared->cancel, [&](int count) {
                QMetaObject::invokeMethod(&progress, [shown, count] {
                    if (shown)
                        shown->setValue(count);
                });
            });
        } catch (const sources::Cancelled &) {
            shared->cancelled = true;
        } catch (...) {
            shared->failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    thread.join();
    if (shared->failure)
        std::rethrow_exception(shared->failure);
    return !shared->cancelled && !shared->cancel;
}
