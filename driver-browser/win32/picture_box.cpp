#include "picture_box.h"

#include "dialog_support.h"

namespace tolvane {

namespace {

HBITMAP pictureOf(HWND box) {
    return reinterpret_cast<HBITMAP>(GetWindowLongPtrA(box, 0));
}

void tellParent(HWND box, UINT message, WPARAM mkFlags, WORD button, LPARAM position) {
    SendMessageA(GetParent(box), message, MAKEWPARAM(LOWORD(mkFlags), button), position);
}

// Every button pressed on the box is captured, so that its release reaches the box wherever
// the pointer is then.
void pressed(HWND box, WPARAM mkFlags, WORD button, LPARAM position) {
    SetCapture(box);
    tellParent(box, PictureMouseDown, mkFlags, button, position);
}

// True when the box held the capture; it is let go once no button is down any more.
bool released(HWND box, WPARAM mkFlags, WORD button, LPARAM position) {
    const bool captured = GetCapture() == box;
    if (captured && (mkFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
        ReleaseCapture();
    tellParent(box, PictureMouseUp, mkFlags, button, position);
    return captured;
}

LRESULT CALLBACK pictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        HBITMAP bitmap = NULL;
        if (create->lpszName != NULL && create->lpszName[0] != '\0')
            bitmap = LoadBitmapA(create->hInstance, create->lpszName);
        SetWindowLongPtrA(box, 0, reinterpret_cast<LONG_PTR>(bitmap));
        return 0;
    }
    case WM_DESTROY:
        if (HBITMAP bitmap = pictureOf(box))
            DeleteObject(bitmap);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(box, &paint);
        if (HBITMAP bitmap = pictureOf(box))
            drawBitmap(dc, bitmap);
        EndPaint(box, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed(box, wParam, 1, lParam);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        pressed(box, wParam, 2, lParam);
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        pressed(box, wParam, 4, lParam);
        return 0;
    case WM_LBUTTONUP: {
        const bool captured = released(box, wParam, 1, lParam);
        RECT inside;
        GetClientRect(box, &inside);
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (captured && PtInRect(&inside, at))
            SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), STN_CLICKED),
                         reinterpret_cast<LPARAM>(box));
        return 0;
    }
    case WM_RBUTTONUP:
        released(box, wParam, 2, lParam);
        return 0;
    case WM_MBUTTONUP:
        released(box, wParam, 4, lParam);
        return 0;
    default:
        return DefWindowProcA(box, message, wParam, lParam);
    }
}

} // namespace

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

} // namespace tolvane
