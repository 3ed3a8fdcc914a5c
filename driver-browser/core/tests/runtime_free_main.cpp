// A Windows program linked with the core and nothing of the C++ runtime: no start-up code,
// no libstdc++, only KERNEL32 (in the 32-bit build the memory and string functions are the
// core's own; the 64-bit build takes them from msvcrt.dll). It runs each core piece once and exits
// with 0, or with the number of the first check that failed.
#include "driver_info.h"
#include "egg_gesture.h"
#include "file_types.h"
#include "print_report.h"
#include "shortcut_file.h"
#include "splash_timer.h"
#include "version_scan.h"

#include <windows.h>

namespace {

bool same(const char* a, const char* b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

// A driver file: a marker, the 16 bytes up to its window, then three entries.
const uint8_t kDriver[] = "xxStringFileInfo\0................"
                          "CompanyName\0Quorrel\0FileDescription\0Display \xA9\0"
                          "FileVersion\0"
                          "4.10\0.........................................................";

int counter(void* context) {
    return ++*static_cast<int*>(context);
}

// Memory for the caption collector, from a static arena.
struct Arena {
    uint8_t bytes[2048];
    std::size_t used;
} arena;

uint8_t* fromArena(void*, std::size_t size) {
    if (arena.used + size > sizeof arena.bytes) {
        return nullptr;
    }
    arena.used += size;
    return arena.bytes + arena.used - size;
}

int check() {
    tolvane::FileSeam memory{};
    memory.memory = &fromArena;
    tolvane::CaptionCollector found(memory);
    tolvane::scanVersionStrings(kDriver, sizeof kDriver - 1,
                                tolvane::ScanMemory{nullptr, &fromArena}, found.sink());
    using tolvane::ValueLabel;
    if (!same(found.text(ValueLabel::Description), "Display \xA9") ||
        !same(found.text(ValueLabel::Vendor), "Quorrel") ||
        !same(found.text(ValueLabel::Version), "4.10")) {
        return 1;
    }
    tolvane::CaptionCollector none(memory);
    tolvane::scanVersionStrings(kDriver, 20, tolvane::ScanMemory{nullptr, &fromArena}, none.sink());
    if (!same(none.text(ValueLabel::Description), tolvane::kNoInformationText) ||
        !same(none.text(ValueLabel::Vendor), "N/A")) {
        return 2;
    }

    tolvane::EggGesture egg;
    egg.pressed(tolvane::RightButtonBit, 7);
    egg.released(tolvane::LeftButtonBit, 6, 3421, 691);
    for (int n = 0; n < 5; ++n) {
        if (egg.labelClicked()) {
            return 3;
        }
    }
    if (!egg.labelClicked()) {
        return 3;
    }

    struct Times {
        float t[3];
        int read;
    } times{{86399.5F, 86399.5F, 0.5F}, 0};
    const tolvane::TimeOfDaySource clock{&times, [](void* context) {
                                             auto* all = static_cast<Times*>(context);
                                             return all->t[all->read++];
                                         }};
    float start = 0;
    if (tolvane::splashTickCloses(start, clock) || !tolvane::splashTickCloses(start, clock)) {
        return 4;
    }

    int lines = 0;
    tolvane::PrinterSeam printer{};
    printer.context = &lines;
    static char line[32];
    printer.open = [](void*) { return true; };
    printer.memory = [](void*, std::size_t size) { return size <= sizeof line ? line : nullptr; };
    printer.printLine = [](void* context, const char*, std::size_t) { counter(context); };
    printer.endDocument = [](void*, const char**) { return true; };
    printer.warn = [](void*, const char*) {};
    int calls = 0;
    tolvane::MainWindowSeam window{};
    window.context = &calls;
    window.listCount = [](void*) { return 3; };
    window.selectEntry = [](void* context, int) { counter(context); };
    window.showDriverInfo = [](void* context) { counter(context); };
    window.clearLabel = [](void* context, tolvane::ValueLabel) { counter(context); };
    window.setLabelVisible = [](void* context, tolvane::ValueLabel, bool) { counter(context); };
    window.processPendingEvents = [](void* context) { counter(context); };
    window.labelText = [](void*, tolvane::ValueLabel, char* buffer, std::size_t capacity) {
        if (capacity > 0) {
            buffer[0] = '\0';
        }
        return std::size_t{0};
    };
    if (tolvane::printAllDrivers(window, printer) != tolvane::PrintOutcome::Printed ||
        lines != 15 || calls != 4 + 1 + 6 + 4) {
        return 5;
    }
    tolvane::refreshDriverList(window);
    if (calls != 16) {
        return 6;
    }

    char path[40];
    if (tolvane::shortcutPath("C:\\WINDOWS", '\\', path, sizeof path) != 33 ||
        !same(path, "C:\\WINDOWS\\desktop\\Harrowmint.URL") || tolvane::kShortcutSize != 54) {
        return 7;
    }
    return 0;
}

} // namespace

extern "C" int runtimeFreeMain() {
    const int failed = check();
    const char* text =
        failed == 0 ? "core runs without the C++ runtime\r\n" : "core check failed\r\n";
    DWORD written = 0;
    DWORD size = 0;
    while (text[size] != '\0') {
        ++size;
    }
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, size, &written, nullptr);
    ExitProcess(static_cast<UINT>(failed));
}
