// Formatted messages on a console: format, write, flush.
#include "console.h"
#include "text_format.h"

void console_print(const pex_console* console, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    int length = text_vformat(text, sizeof text, format, args);
    va_end(args);
    if (length < 0)
        return;
    console->write(text, static_cast<size_t>(length));
    console->flush();
}
