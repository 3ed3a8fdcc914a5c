// The printer the report commands write to: print a line, end the document.
#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace tolvane {

class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    // Writes one line of text and moves to the start of the next line; the first line
    // starts the document, a full page starts a new one.
    virtual void printLine(const QString& text) = 0;

    // Finishes the document and hands it to the printer. False when the printer failed;
    // errorString() then says why in words a user understands, or is empty.
    virtual bool endDocument() = 0;

    virtual QString errorString() const = 0;
};

// Opens the system's default printer; nullptr when there is none.
std::unique_ptr<ReportPrinter> openDefaultPrinter();

// A printer that writes the report into a PDF file instead of a printer.
std::unique_ptr<ReportPrinter> openPdfPrinter(const QString& file);

// Where the main window gets its printer from; tests put a recording printer here.
using PrinterFactory = std::function<std::unique_ptr<ReportPrinter>()>;

} // namespace tolvane
