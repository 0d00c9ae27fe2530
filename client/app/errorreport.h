#pragma once

#include <QString>

#include <exception>

// The program's default error report: a failure that no window handled is
// shown in an error dialog with its text, on the UI thread, and the
// program goes on.
namespace errorreport {

QString textOf(std::exception_ptr error);
// on the UI thread: shows it now
void show(std::exception_ptr error);
void show(const QString &text);
// from any thread: queued to the UI thread
void showLater(std::exception_ptr error);

} // namespace errorreport
