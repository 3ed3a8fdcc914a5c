#include "heap_text.h"

#include <cstring>

namespace tolvane {

void HeapText::release() {
    if (text_ != nullptr)
        HeapFree(GetProcessHeap(), 0, text_);
    text_ = nullptr;
    length_ = 0;
}

char* HeapText::reserve(size_t length) {
    char* room = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 1));
    if (room == nullptr)
        return nullptr;
    room[0] = '\0';
    release();
    text_ = room;
    length_ = length;
    return room;
}

bool HeapText::assign(const char* text, size_t length) {
    // Into new memory first: text may be this text itself.
    char* room = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 1));
    if (room == nullptr)
        return false;
    CopyMemory(room, text, length);
    room[length] = '\0';
    release();
    text_ = room;
    length_ = length;
    return true;
}

bool HeapText::assign(const char* text) {
    return assign(text, std::strlen(text));
}

} // namespace tolvane
