// Text of any length on the process heap, freed with its owner: what the Win32 front-end
// holds paths and lines in, instead of fixed buffers that would cut them.
#pragma once

#include <windows.h>

namespace tolvane {

class HeapText {
public:
    HeapText() = default;
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    ~HeapText() { release(); }

    const char* c_str() const { return text_ != nullptr ? text_ : ""; }
    bool empty() const { return length_ == 0; }

    // Makes the text text[0..length); false, keeping the old one, when memory runs out.
    bool assign(const char* text, size_t length);
    bool assign(const char* text);
    // Room for length characters and the zero byte, its contents undefined until written;
    // null when memory runs out.
    char* reserve(size_t length);

private:
    void release();

    char* text_ = nullptr;
    size_t length_ = 0;
};

} // namespace tolvane
