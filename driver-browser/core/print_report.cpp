#include "print_report.h"

#include "file_reading.h"
#include "path_text.h"
#include "user_texts.h"

#include <cstring>

namespace tolvane {

namespace {

// One report line: the prefix followed directly by the label's caption as the window holds
// it, put together in the printer's memory. False, with nothing printed, when there is no
// memory for it.
bool printLine(const MainWindowSeam& window, const PrinterSeam& printer, const ReportLine& line) {
    const std::size_t prefix = std::strlen(line.prefix);
    const std::size_t caption =
        line.hasLabel ? window.text(window.context, textOf(line.label), nullptr, 0) : 0;
    char* text = printer.memory(printer.context, prefix + caption + 1);
    if (text == nullptr) {
        return false;
    }
    std::memcpy(text, line.prefix, prefix);
    text[prefix] = '\0';
    if (line.hasLabel) {
        window.text(window.context, textOf(line.label), text + prefix, caption + 1);
    }
    // What the window handed over, should it be less than it said.
    printer.printLine(printer.context, text, std::strlen(text));
    return true;
}

bool printDetails(const MainWindowSeam& window, const PrinterSeam& printer) {
    bool whole = true;
    for (const ReportLine& line : kReportLines) {
        whole = printLine(window, printer, line) && whole;
    }
    return whole;
}

// kPrintFailedText, and the reason when there is one.
void warnFailed(const PrinterSeam& printer, const char* reason) {
    const std::size_t length =
        joinTexts({kPrintFailedText, kPrintFailedReason, reason}, nullptr, 0);
    char* warning = reason[0] == '\0' ? nullptr : printer.memory(printer.context, length + 1);
    if (warning == nullptr) {
        printer.warn(printer.context, kPrintFailedText);
        return;
    }
    joinTexts({kPrintFailedText, kPrintFailedReason, reason}, warning, length + 1);
    printer.warn(printer.context, warning);
}

// Ends the document; warns when the printer failed or a line was lost.
PrintOutcome finish(const PrinterSeam& printer, bool whole) {
    const char* reason = "";
    if (!printer.endDocument(printer.context, &reason)) {
        warnFailed(printer, reason != nullptr ? reason : "");
        return PrintOutcome::PrinterFailed;
    }
    if (!whole) {
        warnFailed(printer, fileFailureReason(FileFailure::OutOfMemory));
        return PrintOutcome::PrinterFailed;
    }
    return PrintOutcome::Printed;
}

bool openPrinter(const PrinterSeam& printer) {
    if (printer.open(printer.context)) {
        return true;
    }
    printer.warn(printer.context, kNoPrinterText);
    return false;
}

void setLabelsVisible(const MainWindowSeam& window, bool visible) {
    for (const ValueLabel label : kPrintAllLabelOrder) {
        window.setLabelVisible(window.context, label, visible);
    }
}

} // namespace

PrintOutcome printThisDriver(const MainWindowSeam& window, const PrinterSeam& printer) {
    if (!openPrinter(printer)) {
        return PrintOutcome::NoPrinter;
    }
    return finish(printer, printDetails(window, printer));
}

PrintOutcome printAllDrivers(const MainWindowSeam& window, const PrinterSeam& printer) {
    // The printer is obtained first, so that without one nothing on the window changes.
    if (!openPrinter(printer)) {
        return PrintOutcome::NoPrinter;
    }
    setLabelsVisible(window, false);
    window.processPendingEvents(window.context);
    const int count = window.listCount(window.context);
    bool whole = true;
    for (int x = 0; x < count; ++x) {
        window.selectEntry(window.context, x);
        window.showDriverInfo(window.context);
        whole = printDetails(window, printer) && whole;
        whole = printLine(window, printer, kEmptyReportLine) && whole;
    }
    setLabelsVisible(window, true);
    return finish(printer, whole);
}

} // namespace tolvane
