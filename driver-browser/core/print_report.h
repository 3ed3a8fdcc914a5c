// The print commands of the File menu over a printer seam: the report lines and the
// sequences of "Print This Driver" and "Print All Drivers".
#pragma once

#include "main_window_seam.h"
#include "value_labels.h"

#include <cstddef>

namespace tolvane {

// One line of the report: prefix followed directly by the current caption of label. The
// empty line behind each driver of the print-all report has an empty prefix and no label.
struct ReportLine {
    const char* prefix;
    bool hasLabel;
    ValueLabel label;
};

// A driver's four lines, in printed order (not the order of the rows in the window).
inline constexpr ReportLine kReportLines[] = {
    {"File Name: ", true, ValueLabel::FileName},
    {"Version: ", true, ValueLabel::Version},
    {"Vendor: ", true, ValueLabel::Vendor},
    {"Description: ", true, ValueLabel::Description},
};
inline constexpr std::size_t kReportLineCount = sizeof kReportLines / sizeof kReportLines[0];
inline constexpr ReportLine kEmptyReportLine = {"", false, ValueLabel::FileName};

// The order in which print-all hides the value labels and shows them again.
inline constexpr ValueLabel kPrintAllLabelOrder[] = {ValueLabel::FileName, ValueLabel::Version,
                                                     ValueLabel::Vendor, ValueLabel::Description};

// The system's default printer as the print commands use it. Its text is the front-end's:
// the code page in tolvane.exe, UTF-8 in the Qt program.
struct PrinterSeam {
    void* context;
    // Gets the default printer for one document; false when there is none.
    bool (*open)(void* context);
    // Memory of size bytes for a line or a warning being put together, kept until the next
    // call; null when there is none.
    char* (*memory)(void* context, std::size_t size);
    // Prints text[0..length) as one line; the first line starts the document, a full page
    // starts a new one.
    void (*printLine)(void* context, const char* text, std::size_t length);
    // Finishes the document and hands it to the printer. False when the printer failed, with
    // *reason the system's words for why ("" when it gave none), kept until the seam is done.
    bool (*endDocument)(void* context, const char** reason);
    // Shows the user a warning about the report: text, titled kPrintWarningTitle.
    void (*warn)(void* context, const char* text);
};

// What became of a print command.
enum class PrintOutcome { Printed, NoPrinter, PrinterFailed };

// The print commands warn the user without a printer (kNoPrinterText) and when the printer
// failed or a line could not be put together (kPrintFailedText, then kPrintFailedReason
// and the reason when there is one).

// "Print This Driver": the four lines from the current captions, then the end of the
// document.
PrintOutcome printThisDriver(const MainWindowSeam& window, const PrinterSeam& printer);

// "Print All Drivers". The printer is obtained first, so that without one the user is
// warned and nothing on the window changes. Then: hide the four value labels, let pending
// events run once, and for each entry x of the list (count read once) select x, call
// ShowDriverInfo, print the four lines and an empty line; show the labels again, end the
// document, and warn when the printer failed.
PrintOutcome printAllDrivers(const MainWindowSeam& window, const PrinterSeam& printer);

} // namespace tolvane
