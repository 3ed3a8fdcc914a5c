// arrow_key_bench DIR [--make COUNT MIB]: the main window browsing DIR with the Down key, each
// press selecting the next file, reading it whole and filling the labels. Prints the time
// per selection. With --make, first writes COUNT files of MIB MiB each into DIR (a version
// block 4 KiB before each file's end).
#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool makeFiles(const std::string& dir, int count, int mib) {
    CreateDirectoryA(dir.c_str(), nullptr);
    std::vector<char> bytes(static_cast<size_t>(mib) * 1024 * 1024, 'x');
    const std::string block = std::string("StringFileInfo") + '\0' + std::string(16, 'x') +
                              "CompanyName" + '\0' + "Bench" + '\0' + "FileDescription" + '\0' +
                              "Bench driver" + '\0' + "FileVersion" + '\0' + "1.0" + '\0';
    std::copy(block.begin(), block.end(), bytes.end() - 4096);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\file%04d.drv", i);
        HANDLE file = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        const BOOL ok =
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        if (!ok)
            return false;
    }
    return true;
}

// A whole number from 1 to most, written in decimal digits only; 0 when text is anything else.
int positiveNumber(const char* text, int most) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    const bool digits = *text >= '0' && *text <= '9' && *end == '\0';
    return digits && value <= most ? static_cast<int>(value) : 0;
}

} // namespace

int main(int argc, char** argv) {
    // Every file is written from one buffer of MIB MiB, whose last 4 KiB hold the version
    // block: MIB 0 leaves no room for it.
    const int fileCount = argc == 5 ? positiveNumber(argv[3], 100000) : 0;
    const int mib = argc == 5 ? positiveNumber(argv[4], 1024) : 0;
    if ((argc != 2 && argc != 5) ||
        (argc == 5 && (std::string(argv[2]) != "--make" || fileCount == 0 || mib == 0))) {
        std::fprintf(stderr, "usage: arrow_key_bench DIR [--make COUNT MIB]\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (argc == 5 && !makeFiles(dir, fileCount, mib)) {
        std::fprintf(stderr, "cannot write the files into %s\n", dir.c_str());
        return 1;
    }
    tolvane::registerPictureBoxClass(GetModuleHandleA(nullptr));
    HWND form = tolvane::createForm1({false, nullptr});
    if (form == NULL) {
        std::fprintf(stderr, "cannot create the main window\n");
        return 1;
    }
    tolvane::setForm1ListPath(dir.c_str());
    HWND list = GetDlgItem(form, IDC_Form1_DrvListBox);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (count < 2) {
        std::fprintf(stderr, "%s holds fewer than two *.drv files\n", dir.c_str());
        return 1;
    }
    SetFocus(list);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 1; i < count; ++i)
        SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    QueryPerformanceCounter(&end);
    char version[64];
    GetDlgItemTextA(form, IDC_Form1_Versionlbl, version, sizeof version);
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart) / (count - 1);
    std::printf("%d selections, %.3f ms per selection (last version shown: %s)\n", count - 1, ms,
                version);
    DestroyWindow(form);
    return 0;
}
