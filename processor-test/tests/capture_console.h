// A console that records everything written to it and serves scripted input.
#pragma once

#include <string>

#include "platform.h"

struct captured_io {
    std::string output; // everything written
    std::string errors; // everything written to standard error
    std::string input;  // characters read_char hands out, then -1
    size_t input_read = 0;
    int flushes = 0;
    std::string unflushed; // output written since the last flush
};

// The console writing to (and reading from) the given record, which must outlive its use.
const pex_console* capture_console(captured_io* io);
