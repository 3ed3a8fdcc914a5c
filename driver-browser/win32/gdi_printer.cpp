#include "gdi_printer.h"

namespace tolvane {

GdiPrinter::~GdiPrinter() {
    if (dc_ != NULL) {
        if (started_)
            AbortDoc(dc_);
        DeleteDC(dc_);
    }
}

void GdiPrinter::fail() {
    if (!failed_)
        error_ = GetLastError();
    failed_ = true;
}

bool GdiPrinter::open() {
    char device[256];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    // "name,driver,port"
    char* name = device;
    char* driver = NULL;
    char* port = NULL;
    for (char* p = device; *p != '\0'; ++p) {
        if (*p != ',')
            continue;
        *p = '\0';
        if (driver == NULL)
            driver = p + 1;
        else if (port == NULL)
            port = p + 1;
    }
    if (name[0] == '\0')
        return false;
    dc_ = CreateDCA(driver, name, port, NULL);
    if (dc_ == NULL)
        return false;
    TEXTMETRICA metrics;
    GetTextMetricsA(dc_, &metrics);
    lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
    pageHeight_ = GetDeviceCaps(dc_, VERTRES);
    return true;
}

void GdiPrinter::printLine(const char* text, int length) {
    if (failed_)
        return;
    if (!started_) {
        DOCINFOA document = {};
        document.cbSize = sizeof document;
        document.lpszDocName = "Tolvane";
        if (StartDocA(dc_, &document) <= 0 || StartPage(dc_) <= 0) {
            fail();
            return;
        }
        started_ = true;
        y_ = 0;
    } else if (y_ + lineHeight_ > pageHeight_) {
        if (EndPage(dc_) <= 0 || StartPage(dc_) <= 0) {
            fail();
            return;
        }
        y_ = 0;
    }
    if (length > 0 && !TextOutA(dc_, 0, y_, text, length))
        fail();
    y_ += lineHeight_;
}

bool GdiPrinter::endDocument(DWORD* error) {
    *error = 0;
    if (dc_ == NULL)
        return false;
    if (started_ && !failed_) {
        if (EndPage(dc_) <= 0 || EndDoc(dc_) <= 0)
            fail();
        started_ = false;
    }
    // An empty report is a document with nothing on it: nothing to hand to the printer.
    if (failed_)
        *error = error_;
    return !failed_;
}

LinePrinter GdiPrinter::lines() {
    return {this, [](void* self) { return static_cast<GdiPrinter*>(self)->open(); },
            [](void* self, const char* text, int length) {
                static_cast<GdiPrinter*>(self)->printLine(text, length);
            },
            [](void* self, DWORD* error) {
                return static_cast<GdiPrinter*>(self)->endDocument(error);
            }};
}

} // namespace tolvane
