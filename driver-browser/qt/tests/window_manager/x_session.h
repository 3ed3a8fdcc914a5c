// A private X display for tests: an Xvfb server and a window manager on it, started by the
// test and stopped when it ends.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace window_manager_test {

// A child process, stopped (SIGTERM, then waited for) when it goes out of scope.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts `program` with `arguments`; `keepFd` stays open in the child (-1: none).
    bool start(const std::string& program, const std::vector<std::string>& arguments,
               int keepFd = -1);
    bool running();

private:
    pid_t pid_ = -1;
};

class XSession {
public:
    // Why the session cannot run on this machine (a program is missing); empty when it can.
    static std::string unavailable();

    // Starts Xvfb with one 1024 x 768 screen and the window manager on it, and points
    // DISPLAY at it. False with *error set when either does not come up.
    bool start(std::string* error);

private:
    ChildProcess server_;
    ChildProcess windowManager_;
};

} // namespace window_manager_test
