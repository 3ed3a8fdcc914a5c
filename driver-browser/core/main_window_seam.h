// The main window as the toolkit-free rules see it: the driver list, the window's texts, the
// windows it opens modally, its event loop and the platform calls its handlers make. Each
// front-end fills this table of functions over its own controls; context is handed back to
// every function.
#pragma once

#include "value_labels.h"

#include <cstddef>
#include <cstdint>

namespace tolvane {

// The texts of the main window: its four value labels (numbered as ValueLabel), the driver
// list's path, and its two public members.
enum class WindowText : uint8_t {
    FileName,
    Description,
    Vendor,
    Version,
    ListPath,
    Newpath, // exchanged with Select Path
    WinPath, // the Windows directory as the platform reports it
};

constexpr WindowText textOf(ValueLabel label) {
    return static_cast<WindowText>(label);
}

// The platform's answer in the form of GetWindowsDirectoryA: the directory into
// buffer[size] with its terminating zero byte, returning its length; when it does not fit,
// the size it needs (length + 1) and nothing stored; 0 when it fails.
struct WindowsDirectorySeam {
    void* context;
    unsigned (*get)(void* context, char* buffer, unsigned size);
};

struct MainWindowSeam {
    void* context;
    // The driver list: its number of entries, the selected entry (-1 when none), and
    // selecting entry index (when the selection changes, the list's selection notification
    // runs ShowDriverInfo).
    int (*listCount)(void* context);
    int (*selectedIndex)(void* context);
    void (*selectEntry)(void* context, int index);
    // Entry index's name: shown in FileNamelbl as the list shows it, and copied out (as text
    // below) as the bytes that open the file.
    void (*showEntryName)(void* context, int index);
    std::size_t (*entryFileName)(void* context, int index, char* buffer, std::size_t capacity);
    // ShowDriverInfo (driver_info.h) over a file of the platform's.
    void (*showDriverInfo)(void* context);
    // Copies a text into buffer: at most capacity - 1 bytes and a zero byte (nothing when
    // capacity is 0); returns the text's full length. A label as the window holds it (the
    // code page in tolvane.exe, UTF-8 in the Qt program), a path as the file system's bytes.
    std::size_t (*text)(void* context, WindowText which, char* buffer, std::size_t capacity);
    // Sets a text: a label from 8-bit text of the system's code page, a path from the file
    // system's bytes. Setting ListPath runs the list's path-change handling.
    void (*setText)(void* context, WindowText which, const char* text);
    void (*setLabelVisible)(void* context, ValueLabel label, bool visible);
    // Lets the pending window events run once.
    void (*processPendingEvents)(void* context);
    // The splash window Brisklow, modally: returns once it has closed itself.
    void (*showSplash)(void* context);
    // Select Path (changedir), modally, opening on the list's path: OK sets Newpath.
    void (*showSelectPath)(void* context);
    WindowsDirectorySeam windowsDirectory;
    // Makes path the process's current directory (nothing when it cannot).
    void (*setCurrentDirectory)(void* context, const char* path);
    // Memory of size bytes for a text being copied or joined, kept until the next call; null
    // when there is none.
    char* (*memory)(void* context, std::size_t size);
};

} // namespace tolvane
