// screen_capture OUT.bmp [WAIT_MS [TITLE]]: waits, then writes the screen (or only the window
// with that title, once it shows) as a 24-bit BMP and prints the visible top-level windows
// (title, position and size). For pictures of tolvane.exe under Wine, where no other
// screenshot tool sees the Windows desktop.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

BOOL CALLBACK printWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window))
        return TRUE;
    char title[256];
    GetWindowTextA(window, title, sizeof title);
    RECT r;
    GetWindowRect(window, &r);
    std::printf("window \"%s\" at %ld,%ld size %ldx%ld\n", title, r.left, r.top, r.right - r.left,
                r.bottom - r.top);
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screen_capture OUT.bmp [WAIT_MS [TITLE]]\n");
        return 2;
    }
    if (argc > 2)
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (argc > 3) {
        HWND window = NULL;
        for (int tries = 0; tries < 400 && window == NULL; ++tries) {
            window = FindWindowA(NULL, argv[3]);
            if (window == NULL || !IsWindowVisible(window)) {
                window = NULL;
                Sleep(50);
            }
        }
        if (window == NULL) {
            std::fprintf(stderr, "no window \"%s\"\n", argv[3]);
            return 1;
        }
        Sleep(500); // let it paint
        GetWindowRect(window, &area);
    }
    EnumWindows(printWindow, 0);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr)
        return 1;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    return std::fclose(out) == 0 ? 0 : 1;
}
