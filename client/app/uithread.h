#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <functional>

// Hand-overs to the UI thread: the only place where widgets are touched.
namespace uithread {

inline bool isUiThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs work on the UI thread and waits until it is done; on the UI thread
// itself it simply runs.
inline void runAndWait(const std::function<void()> &work)
{
    if (isUiThread() || !QCoreApplication::instance()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::BlockingQueuedConnection);
}

} // namespace uithread
