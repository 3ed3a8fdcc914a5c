// For the tests of reads that must neither block nor run on: the code under test runs in a
// child process, which is killed when it has not ended within the time given, so that the
// fault shows as a failed test, not as a test run that hangs.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

// The child's exit status: what `body` returned (0 to 255), or -1 when it did not end within
// `seconds` or ended by a signal.
template <typename Body>
int exit_status_within(int seconds, Body body) {
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0)
        _exit(body() & 0xFF);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
