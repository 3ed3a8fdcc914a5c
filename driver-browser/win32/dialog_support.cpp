#include "dialog_support.h"

#include "win32_platform.h"

#include "core/name_order.h"

namespace tolvane {

namespace {

int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

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
WORD word(const BYTE*& at) {
    WORD w;
    CopyMemory(&w, at, sizeof w);
    at += sizeof w;
    return w;
}

DWORD dword(const BYTE*& at) {
    const WORD low = word(at);
    return low | static_cast<DWORD>(word(at)) << 16;
}

int pixels(const BYTE*& at) {
    return twipsToPixels(static_cast<short>(word(at)));
}

void skipText(const BYTE*& at) {
    while (word(at) != 0) {
    }
}

// A name, an ordinal (0xFFFF and a number) or nothing (a zero word).
void skipNameOrOrdinal(const BYTE*& at) {
    const WORD first = word(at);
    if (first == 0xFFFF)
        word(at);
    else if (first != 0)
        skipText(at);
}

// Resizes the outer window so that its client area is width x height pixels with its
// top-left corner at (left, top) on the screen.
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

// Draws the bitmap at its full size with its top-left corner at the top-left of dc.
void drawBitmap(HDC dc, HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

LRESULT CALLBACK pictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    const HBITMAP bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(box, 0));
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create->lpszName != NULL && create->lpszName[0] != '\0')
            SetWindowLongPtrA(
                box, 0,
                reinterpret_cast<LONG_PTR>(LoadBitmapA(create->hInstance, create->lpszName)));
        return 0;
    }
    case WM_DESTROY:
        if (bitmap != NULL)
            DeleteObject(bitmap);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(box, &paint);
        if (bitmap != NULL)
            drawBitmap(dc, bitmap);
        EndPaint(box, &paint);
        return 0;
    }
    default:
        break;
    }
    if (message < WM_LBUTTONDOWN || message > WM_MBUTTONDBLCLK)
        return DefWindowProcA(box, message, wParam, lParam);
    // Three messages a button, for the left, right and middle one: down, up, double click
    // (a press too).
    const UINT step = message - WM_LBUTTONDOWN;
    const WPARAM report = MAKEWPARAM(LOWORD(wParam), 1 << step / 3);
    if (step % 3 != 1) {
        // Captured, so that the release reaches the box wherever the pointer is then.
        SetCapture(box);
        SendMessageA(GetParent(box), PictureMouseDown, report, lParam);
        return 0;
    }
    // The capture is let go once no button is down any more.
    const bool captured = GetCapture() == box;
    if (captured && (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
        ReleaseCapture();
    SendMessageA(GetParent(box), PictureMouseUp, report, lParam);
    if (captured && message == WM_LBUTTONUP)
        clickedWhenInside(box, lParam);
    return 0;
}

} // namespace

HINSTANCE programInstance() {
    return GetModuleHandleA(NULL);
}

void setUpWindow(HWND window, int templateId, int iconId, const ControlFont* fonts, size_t count) {
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    for (size_t i = 0; i < count; ++i) {
        const ControlFont& f = fonts[i];
        HFONT font =
            CreateFontA(-MulDiv(f.centipoints, dpi, 7200), 0, 0, 0, FW_NORMAL,
                        f.italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.face);
        if (font != NULL)
            SendDlgItemMessageA(window, f.controlId, WM_SETFONT, reinterpret_cast<WPARAM>(font),
                                FALSE);
    }
    HANDLE big = NULL;
    HANDLE small = NULL;
    if (iconId != 0) {
        big = LoadImageA(programInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 32, 32, 0);
        small = LoadImageA(programInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0);
    }
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    applyTwipsLayout(window, templateId);
}

void deleteFonts(HWND window, const ControlFont* fonts, size_t count) {
    const LRESULT dialogFont = SendMessageA(window, WM_GETFONT, 0, 0);
    for (size_t i = 0; i < count; ++i) {
        const LRESULT font = SendDlgItemMessageA(window, fonts[i].controlId, WM_GETFONT, 0, 0);
        if (font != dialogFont)
            DeleteObject(reinterpret_cast<HGDIOBJ>(font));
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
    const BYTE* at = base;
    word(at); // version
    if (word(at) != 0xFFFF)
        return; // not an extended template
    at += 8;    // help id, extended style
    const DWORD style = dword(at);
    const WORD items = word(at);
    const int left = pixels(at);
    const int top = pixels(at);
    const int width = pixels(at);
    const int height = pixels(at);
    skipNameOrOrdinal(at); // menu
    skipNameOrOrdinal(at); // class
    skipText(at);          // caption
    if ((style & DS_SETFONT) != 0) {
        at += 6; // point size, weight, italic and character set
        skipText(at);
    }
    placeClientArea(window, left, top, width, height);
    for (WORD i = 0; i < items; ++i) {
        at = base + ((at - base + 3) & ~3); // each item starts on a DWORD boundary
        at += 12;                           // help id, extended style, style
        const int x = pixels(at);
        const int y = pixels(at);
        const int cx = pixels(at);
        const int cy = pixels(at);
        const int id = static_cast<int>(dword(at));
        skipNameOrOrdinal(at); // class
        skipNameOrOrdinal(at); // caption
        const WORD creationData = word(at);
        at += creationData;
        HWND control = GetDlgItem(window, id);
        if (control == NULL)
            continue;
        char className[16];
        GetClassNameA(control, className, sizeof className);
        // A drop-down list's height in the definition is its closed box; its list drops
        // below it.
        const bool comboBox = lstrcmpiA(className, "ComboBox") == 0;
        SetWindowPos(control, NULL, x, y, cx, comboBox ? cy + 120 : cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (comboBox)
            fitClosedComboBox(control, cy);
    }
}

void paintBackground(HWND window, HDC dc, HBITMAP bitmap) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (bitmap != NULL)
        drawBitmap(dc, bitmap);
}

void focusButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void runPendingEvents() {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void clickedWhenInside(HWND control, LPARAM lParam) {
    RECT inside;
    GetClientRect(control, &inside);
    const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (PtInRect(&inside, at))
        SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
}

bool registerPictureBoxClass(HINSTANCE instance) {
    WNDCLASSA type = {};
    type.style = CS_DBLCLKS;
    type.lpfnWndProc = pictureBoxProc;
    type.cbWndExtra = sizeof(LONG_PTR);
    type.hInstance = instance;
    type.hCursor = LoadCursorA(NULL, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kPictureBoxClass;
    return RegisterClassA(&type) != 0;
}

void insertSorted(HWND listBox, int first, const char* text) {
    int low = first;
    int high = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    HeapText entry;
    while (low < high) {
        const int middle = (low + high) / 2;
        const LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, middle, 0);
        char* room = entry.reserve(length > 0 ? static_cast<size_t>(length) : 0);
        if (room == nullptr)
            return;
        SendMessageA(listBox, LB_GETTEXT, middle, reinterpret_cast<LPARAM>(room));
        if (compareNames(room, text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    SendMessageA(listBox, LB_INSERTSTRING, low, reinterpret_cast<LPARAM>(text));
}

} // namespace tolvane
