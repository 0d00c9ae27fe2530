#pragma once

#include "client/app/girisform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

// Drives modal windows the way a user would, for tests and benchmarks that
// run the real windows.

// Runs `answer` once on the first shown modal window of type T, from the
// event loop of whatever exec() is running then. Deleting the returned
// poll stops the waiting.
template<class T>
QTimer *whenModal(std::function<void(T *)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        auto *w = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!w || !w->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer(w);
    });
    poll->start(20);
    return poll;
}

// types the credentials into the sign-in window as soon as it is up
inline void answerSignIn(const QString &name, const QString &password)
{
    whenModal<Tgirisform>([name, password](Tgirisform *form) {
        form->findChild<QLineEdit *>(QStringLiteral("adi"))->setText(name);
        form->findChild<QLineEdit *>(QStringLiteral("sifre"))->setText(password);
        form->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    });
}
