#include "report_printer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace tolvane {
namespace {

// Paints each line at the current position in the printer's default font, top to bottom,
// starting a new page when the next line would not fit. The painter starts with the first
// line, so a report without lines produces no document at all.
class QtReportPrinter : public ReportPrinter {
public:
    explicit QtReportPrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

    void printLine(const QString& text) override {
        if (!failed_ && !painter_.isActive() && !painter_.begin(printer_.get()))
            fail(printer_->outputFileName().isEmpty()
                     ? QStringLiteral("The printer \"%1\" could not be started")
                           .arg(printer_->printerName())
                     : QStringLiteral("The file \"%1\" could not be written")
                           .arg(printer_->outputFileName()));
        if (failed_)
            return;
        const QFontMetricsF metrics(painter_.font(), printer_.get());
        const qreal pageHeight =
            printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
        if (y_ > 0 && y_ + metrics.height() > pageHeight) {
            if (!printer_->newPage()) {
                fail(QStringLiteral("The printer could not start a new page"));
                return;
            }
            y_ = 0;
        }
        painter_.drawText(QPointF(0, y_ + metrics.ascent()), text);
        y_ += metrics.lineSpacing();
    }

    bool endDocument() override {
        if (painter_.isActive() && !painter_.end() && !failed_)
            fail(QStringLiteral("The printer could not finish the document"));
        if (!failed_ && printer_->printerState() == QPrinter::Error)
            fail(QStringLiteral("The printer reported an error while printing"));
        const bool printed = !failed_;
        // The next line starts a new document.
        failed_ = false;
        y_ = 0;
        return printed;
    }

    QString errorString() const override { return error_; }

private:
    void fail(const QString& why) {
        failed_ = true;
        error_ = why;
    }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    bool failed_ = false;
    qreal y_ = 0;
    QString error_;
};

} // namespace

std::unique_ptr<ReportPrinter> openDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QtReportPrinter>(std::make_unique<QPrinter>(info));
}

std::unique_ptr<ReportPrinter> openPdfPrinter(const QString& file) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    return std::make_unique<QtReportPrinter>(std::move(printer));
}

} // namespace tolvane
