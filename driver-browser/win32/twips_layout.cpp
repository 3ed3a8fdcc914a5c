#include "twips_layout.h"

namespace tolvane {

namespace {

int windowHeight(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

// The closed box of a combo box takes its height from its selection field, which follows
// the font; the field is set so that the box is as high as designed. What the box adds to
// the field is measured: systems differ in it, and Wine reports a field two pixels higher
// than the one it was given, so the reported height cannot be trusted to set it back.
void fitClosedComboBox(HWND combo, int closedHeight) {
    const LRESULT field = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (field == CB_ERR || windowHeight(combo) == closedHeight)
        return;
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    const int frame = windowHeight(combo) - static_cast<int>(field);
    if (closedHeight - frame > 0)
        SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), closedHeight - frame);
}

// Reading an extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items).
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* at) : at_(at) {}
    WORD word() {
        WORD w;
        CopyMemory(&w, at_, sizeof w);
        at_ += sizeof w;
        return w;
    }
    DWORD dword() {
        DWORD d;
        CopyMemory(&d, at_, sizeof d);
        at_ += sizeof d;
        return d;
    }
    short coordinate() { return static_cast<short>(word()); }
    // A name or an ordinal (0xFFFF and a number), or nothing (a zero word).
    void skipNameOrOrdinal() {
        const WORD first = word();
        if (first == 0xFFFF)
            word();
        else if (first != 0)
            skipText();
    }
    void skipText() {
        while (word() != 0) {
        }
    }
    void skip(WORD bytes) { at_ += bytes; }
    void alignToDword(const BYTE* base) {
        while (((at_ - base) & 3) != 0)
            ++at_;
    }

private:
    const BYTE* at_;
};

} // namespace

void placeClientArea(HWND window, int left, int top, int width, int height) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, style, GetMenu(window) != NULL, exStyle);
    SetWindowPos(window, NULL, left + outer.left, top + outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps takes more height than AdjustWindowRectEx assumes.
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const int dx = width - client.right;
    const int dy = height - client.bottom;
    if (dx != 0 || dy != 0 || origin.x != left || origin.y != top) {
        RECT now;
        GetWindowRect(window, &now);
        SetWindowPos(window, NULL, now.left + left - origin.x, now.top + top - origin.y,
                     now.right - now.left + dx, now.bottom - now.top + dy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void applyTwipsLayout(HWND window, int templateId) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    if (found == NULL)
        return;
    const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    if (base == NULL)
        return;
    TemplateReader in(base);
    in.word(); // version
    if (in.word() != 0xFFFF)
        return; // not an extended template
    in.dword(); // help id
    in.dword(); // extended style
    const DWORD style = in.dword();
    const WORD items = in.word();
    const int left = in.coordinate();
    const int top = in.coordinate();
    const int width = in.coordinate();
    const int height = in.coordinate();
    in.skipNameOrOrdinal(); // menu
    in.skipNameOrOrdinal(); // class
    in.skipText();          // caption
    if ((style & DS_SETFONT) != 0) {
        in.word(); // point size
        in.word(); // weight
        in.word(); // italic, character set
        in.skipText();
    }
    placeClientArea(window, twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                    twipsToPixels(height));
    for (WORD i = 0; i < items; ++i) {
        in.alignToDword(base);
        in.dword(); // help id
        in.dword(); // extended style
        in.dword(); // style
        const int x = in.coordinate();
        const int y = in.coordinate();
        const int cx = in.coordinate();
        const int cy = in.coordinate();
        const int id = static_cast<int>(in.dword());
        in.skipNameOrOrdinal(); // class
        in.skipNameOrOrdinal(); // caption
        in.skip(in.word());     // creation data
        HWND control = GetDlgItem(window, id);
        if (control == NULL)
            continue;
        char className[16];
        GetClassNameA(control, className, sizeof className);
        const bool comboBox = lstrcmpiA(className, "ComboBox") == 0;
        int shownHeight = twipsToPixels(cy);
        // A drop-down list's height in the definition is its closed box; its list drops
        // below it.
        if (comboBox)
            shownHeight += 120;
        SetWindowPos(control, NULL, twipsToPixels(x), twipsToPixels(y), twipsToPixels(cx),
                     shownHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        if (comboBox)
            fitClosedComboBox(control, twipsToPixels(cy));
    }
}

} // namespace tolvane
