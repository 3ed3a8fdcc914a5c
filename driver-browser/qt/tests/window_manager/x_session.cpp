#include "x_session.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace window_manager_test {
namespace {

constexpr const char* kServer = "Xvfb";
constexpr const char* kWindowManager = "openbox";

std::string findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t from = 0;
    while (from <= dirs.size()) {
        const std::size_t colon = dirs.find(':', from);
        const std::string dir = dirs.substr(from, colon - from);
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string::npos)
            break;
        from = colon + 1;
    }
    return {};
}

} // namespace

ChildProcess::~ChildProcess() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    for (int n = 0; n < 100; ++n) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& arguments,
                         int keepFd) {
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        // Quiet child: no terminal output, its own process group, every other fd closed.
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, STDIN_FILENO);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
        }
        for (int fd = 3; fd < 1024; ++fd) {
            if (fd != keepFd)
                ::close(fd);
        }
        ::setpgid(0, 0);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    pid_ = pid;
    return true;
}

bool ChildProcess::running() {
    return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0;
}

std::string XSession::unavailable() {
    for (const char* program : {kServer, kWindowManager}) {
        if (findProgram(program).empty())
            return std::string(program) + " is not installed";
    }
    return {};
}

bool XSession::start(std::string* error) {
    // Xvfb picks a free display itself and writes its number to the pipe once it is ready.
    int fds[2];
    if (::pipe(fds) != 0) {
        *error = std::strerror(errno);
        return false;
    }
    const bool started = server_.start(
        findProgram(kServer),
        {"-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
        fds[1]);
    ::close(fds[1]);
    std::string display;
    if (started) {
        pollfd ready{fds[0], POLLIN, 0};
        char buffer[32];
        while (::poll(&ready, 1, 15000) > 0) {
            const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
            if (got <= 0)
                break;
            display.append(buffer, static_cast<std::size_t>(got));
            if (display.find('\n') != std::string::npos)
                break;
        }
    }
    ::close(fds[0]);
    while (!display.empty() && (display.back() == '\n' || display.back() == ' '))
        display.pop_back();
    if (display.empty()) {
        *error = "Xvfb did not start";
        return false;
    }
    ::setenv("DISPLAY", (":" + display).c_str(), 1);
    ::unsetenv("WAYLAND_DISPLAY");
    if (!windowManager_.start(findProgram(kWindowManager), {"--sm-disable"})) {
        *error = "openbox did not start";
        return false;
    }
    return true;
}

} // namespace window_manager_test
