// The default printer through GDI, found the Windows 95 way: GetProfileStringA("windows",
// "device") gives "name,driver,port". One document: StartDocA and StartPage at the first
// line, one TextOutA per line in the printer's default font, a new page when the next line
// does not fit, EndDoc at the end.
#pragma once

#include <windows.h>

namespace tolvane {

// A printer as the print commands use it, one document at a time: GDI's default printer in
// the program, a recording one in the tests.
struct LinePrinter {
    void* context;
    // Gets the printer for one document; false when there is none.
    bool (*open)(void* context);
    // Prints text[0..length) as one line; the first line starts the document.
    void (*printLine)(void* context, const char* text, int length);
    // Finishes the document; false when the printer failed at any point, with *error the
    // system's code for why (0 when it gave none).
    bool (*endDocument)(void* context, DWORD* error);
};

class GdiPrinter {
public:
    GdiPrinter() = default;
    GdiPrinter(const GdiPrinter&) = delete;
    GdiPrinter& operator=(const GdiPrinter&) = delete;
    ~GdiPrinter();

    // Gets a device context of the default printer; false when there is none.
    bool open();
    void printLine(const char* text, int length);
    // Finishes the document; false when the printer failed at any point, with *error the
    // system's code for why (0 when it gave none).
    bool endDocument(DWORD* error);
    // This printer as a LinePrinter.
    LinePrinter lines();

private:
    void fail();

    HDC dc_ = NULL;
    bool started_ = false;
    bool failed_ = false;
    DWORD error_ = 0; // why the first failing call failed
    int y_ = 0;
    int lineHeight_ = 0;
    int pageHeight_ = 0;
};

} // namespace tolvane
