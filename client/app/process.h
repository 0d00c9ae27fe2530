#pragma once

#include <functional>

// Every way out of the program (sign-in refused, customer not chosen,
// update started, unregistered device, Yes to the close question) ends
// the process at once, without the normal window shutdown.
namespace process {

// Callers return right after it: under a test's ender it comes back.
void end(int exitCode);

// Tests replace the ending with one that records the code and returns;
// nullptr restores the real one.
void setEnder(std::function<void(int)> ender);

} // namespace process
