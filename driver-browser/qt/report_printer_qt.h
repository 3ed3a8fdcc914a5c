// The report printer on a real QPrinter: the system's default printer or a PDF file.
#pragma once

#include "report_printer.h"

#include <QString>
#include <memory>

namespace tolvane {

// A printer that writes the report into a PDF file instead of a printer (tests, previews).
std::unique_ptr<ReportPrinter> openPdfPrinter(const QString& file);

} // namespace tolvane
