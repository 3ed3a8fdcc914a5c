#include "capture_console.h"

namespace {

captured_io* current = nullptr;

void capture_write(const char* text, size_t length) {
    current->output.append(text, length);
    current->unflushed.append(text, length);
}

void capture_write_error(const char* text, size_t length) {
    current->errors.append(text, length);
}

void capture_flush() {
    ++current->flushes;
    current->unflushed.clear();
}

int capture_read_char() {
    if (current->input_read >= current->input.size())
        return -1;
    return static_cast<unsigned char>(current->input[current->input_read++]);
}

const pex_console capture = {capture_write, capture_write_error, capture_flush, capture_read_char};

} // namespace

const pex_console* capture_console(captured_io* io) {
    current = io;
    return &capture;
}

// The tests link no platform (platform.h), whose console the library's own detect_cpu()
// prints on: here it is a capture of its own.
const pex_console* stdio_console() {
    static captured_io standard;
    return capture_console(&standard);
}
