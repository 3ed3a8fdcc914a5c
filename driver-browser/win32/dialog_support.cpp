#include "dialog_support.h"

namespace tolvane {

HINSTANCE programInstance() {
    return GetModuleHandleA(NULL);
}

void setWindowIcons(HWND window, int iconId) {
    HANDLE big = NULL;
    HANDLE small = NULL;
    if (iconId != 0) {
        big = LoadImageA(programInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 32, 32, 0);
        small = LoadImageA(programInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0);
    }
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void paintBackground(HWND window, HDC dc, HBITMAP bitmap) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (bitmap != NULL)
        drawBitmap(dc, bitmap);
}

void drawBitmap(HDC dc, HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
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

} // namespace tolvane
