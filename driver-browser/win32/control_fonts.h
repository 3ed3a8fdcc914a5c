// Fonts of a window's controls, owned by the window while it exists.
#pragma once

#include <windows.h>

namespace tolvane {

struct ControlFont {
    int controlId;
    const char* face;
    int centipoints; // size in 1/100 point: 975 is 9.75 pt
    bool italic;
};

// Creates each listed font (normal weight, ANSI character set) and gives it to its control;
// deletes them when it goes out of scope, which must be after the window is destroyed.
class FontSet {
public:
    FontSet() = default;
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;
    ~FontSet();

    void apply(HWND window, const ControlFont* fonts, int count);

private:
    static constexpr int kMaxFonts = 12;
    HFONT fonts_[kMaxFonts] = {};
    int count_ = 0;
};

} // namespace tolvane
