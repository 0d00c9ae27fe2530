#pragma once

#include <QObject>
#include <QPointer>

#include <exception>
#include <functional>
#include <memory>

// A background pair: a body on a pool thread, then a continuation on the
// UI thread.
//
//     Async([=] { hata = !loader(); }).Await([=] { ... show the result ... });
//
// The body must not touch widgets; the continuation may. An exception that
// escapes the body is shown by the program's error report on the UI
// thread after the continuation has run.

class IAwait
{
public:
    virtual ~IAwait() = default;
    // starts the body and returns at once; the continuation is dropped if
    // `context` (the window it works for) no longer exists by then
    virtual void Await(std::function<void()> continuation, QObject *context = nullptr) = 0;
};

class TAwait : public IAwait
{
public:
    explicit TAwait(std::function<void()> body) : FAsync(std::move(body)) {}
    void Await(std::function<void()> continuation, QObject *context = nullptr) override;

private:
    std::function<void()> FAsync;
};

TAwait Async(std::function<void()> body);

// Runs one job on a thread of its own (not the pool); the job hands its
// results to the UI thread with uithread::runAndWait.
void TekSeferlikIsParcacigi(std::function<void()> job);

namespace await {
// waits until every started body has ended (tests, shutdown)
void waitForBodies();
}
