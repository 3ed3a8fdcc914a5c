// The default printer through GDI, found the Windows 95 way: GetProfileStringA("windows",
// "device") gives "name,driver,port". One document: StartDocA and StartPage at the first
// line, one TextOutA per line in the printer's default font, a new page when the next line
// does not fit, EndDoc at the end.
#pragma once

#include <windows.h>

namespace tolvane {

class GdiPrinter {
public:
    GdiPrinter() = default;
    GdiPrinter(const GdiPrinter&) = delete;
    GdiPrinter& operator=(const GdiPrinter&) = delete;
    ~GdiPrinter();

    // Gets a device context of the default printer; false when there is none.
    bool open();
    void printLine(const char* text, int length);
    // Finishes the document; false when the printer failed at any point.
    bool endDocument();

private:
    HDC dc_ = NULL;
    bool started_ = false;
    bool failed_ = false;
    int y_ = 0;
    int lineHeight_ = 0;
    int pageHeight_ = 0;
};

} // namespace tolvane
