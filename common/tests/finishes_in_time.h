// For the tests of reads that must neither block nor run on: the code under test runs in a
// child process, killed when it has not ended in time, so that such a fault fails the test
// instead of hanging the test run.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

// What `body` returned (0 to 255), or -1 when it did not end within `seconds` or was killed.
template <typename Body>
int exit_status_within(int seconds, Body body) {
    const pid_t child = fork();
    if (child == 0)
        _exit(body() & 0xFF);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (child > 0 && waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline)
            kill(child, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return child > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
