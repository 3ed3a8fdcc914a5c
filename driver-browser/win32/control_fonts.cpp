#include "control_fonts.h"

namespace tolvane {

FontSet::~FontSet() {
    for (int i = 0; i < count_; ++i)
        DeleteObject(fonts_[i]);
}

void FontSet::apply(HWND window, const ControlFont* fonts, int count) {
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    for (int i = 0; i < count && count_ < kMaxFonts; ++i) {
        const ControlFont& f = fonts[i];
        HFONT font =
            CreateFontA(-MulDiv(f.centipoints, dpi, 7200), 0, 0, 0, FW_NORMAL,
                        f.italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.face);
        if (font == NULL)
            continue;
        fonts_[count_++] = font;
        SendDlgItemMessageA(window, f.controlId, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

} // namespace tolvane
