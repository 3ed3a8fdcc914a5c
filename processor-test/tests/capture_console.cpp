#include "capture_console.h"

namespace {

captured_io* current = nullptr;

void capture_write(const char* text, size_t length) {
    current->output.append(text, length);
    current->unflushed.append(text, length);
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

const pex_console capture = {capture_write, capture_flush, capture_read_char};

} // namespace

const pex_console* capture_console(captured_io* io) {
    current = io;
    return &capture;
}
