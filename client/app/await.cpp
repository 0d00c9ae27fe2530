#include "await.h"

#include "errorreport.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

void TAwait::Await(std::function<void()> continuation, QObject *context)
{
    QObject *target = context ? context : QCoreApplication::instance();
    QPointer<QObject> guard(target);
    std::function<void()> body = std::move(FAsync);

    QThreadPool::globalInstance()->start([body = std::move(body), continuation = std::move(continuation), guard] {
        std::exception_ptr escaped;
        try {
            body();
        } catch (...) {
            escaped = std::current_exception();
        }
        if (!guard)
            return;
        QMetaObject::invokeMethod(
            guard.data(),
            [continuation, escaped] {
                if (continuation)
                    continuation();
                if (escaped)
                    errorreport::show(escaped);
            },
            Qt::QueuedConnection);
    });
}

TAwait Async(std::function<void()> body)
{
    return TAwait(std::move(body));
}

void TekSeferlikIsParcacigi(std::function<void()> job)
{
    QThread *thread = QThread::create([job = std::move(job)] {
        try {
            job();
        } catch (...) {
            errorreport::showLater(std::current_exception());
        }
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

namespace await {
void waitForBodies()
{
    QThreadPool::globalInstance()->waitForDone();
}
} // namespace await
