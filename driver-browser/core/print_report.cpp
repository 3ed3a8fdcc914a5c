#include "print_report.h"

namespace tolvane {

namespace {

void printDetails(const PrinterSeam& printer) {
    for (const ReportLine& line : kReportLines) {
        printer.printLine(printer.context, line);
    }
}

PrintOutcome finish(const PrinterSeam& printer) {
    if (!printer.endDocument(printer.context)) {
        printer.warn(printer.context);
        return PrintOutcome::PrinterFailed;
    }
    return PrintOutcome::Printed;
}

void setLabelsVisible(const MainWindowSeam& window, bool visible) {
    for (const ValueLabel label : kPrintAllLabelOrder) {
        window.setLabelVisible(window.context, label, visible);
    }
}

} // namespace

PrintOutcome printThisDriver(const PrinterSeam& printer) {
    if (!printer.open(printer.context)) {
        printer.warn(printer.context);
        return PrintOutcome::NoPrinter;
    }
    printDetails(printer);
    return finish(printer);
}

PrintOutcome printAllDrivers(const MainWindowSeam& window, const PrinterSeam& printer) {
    // The printer is obtained first, so that without one nothing on the window changes.
    if (!printer.open(printer.context)) {
        printer.warn(printer.context);
        return PrintOutcome::NoPrinter;
    }
    setLabelsVisible(window, false);
    window.processPendingEvents(window.context);
    const int count = window.listCount(window.context);
    for (int x = 0; x < count; ++x) {
        window.selectEntry(window.context, x);
        window.showDriverInfo(window.context);
        printDetails(printer);
        printer.printLine(printer.context, kEmptyReportLine);
    }
    setLabelsVisible(window, true);
    return finish(printer);
}

} // namespace tolvane
