// The printer backend: lines painted by QPrinter into a PDF file and read back as text.
#include "pdf_text.h"
#include "report_printer.h"

#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct PdfPrinter : ::testing::Test {
    QTemporaryDir dir;
    QString pdf;
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pdf = dir.path() + "/report.pdf";
    }
    QStringList print(const QStringList& lines, int* pages) {
        auto printer = tolvane::openPdfPrinter(pdf);
        for (const QString& line : lines)
            printer->printLine(line);
        EXPECT_TRUE(printer->endDocument()) << printer->errorString().toStdString();
        bool ok = false;
        const QStringList text = pdfTextLines(pdf, pages, &ok);
        EXPECT_TRUE(ok) << "pdftotext failed";
        return text;
    }
};

} // namespace

TEST_F(PdfPrinter, OneDriverReportReadsBackLineForLine) {
    const QStringList lines = {"File Name: VGA.DRV", "Version: 3.10.103",
                               "Vendor: Corvelline Graphics", "Description: VGA display driver"};
    int pages = 0;
    EXPECT_EQ(print(lines, &pages), lines);
    EXPECT_EQ(pages, 1);
}

TEST_F(PdfPrinter, EmptyLinesAndEmptyValuesKeepTheirPlace) {
    const QStringList lines = {"File Name: A.DRV",
                               "Version: N/A",
                               "Vendor: N/A",
                               "Description: No Information available on this driver",
                               "",
                               "File Name: B.DRV",
                               "Version: 1.0",
                               "Vendor:",
                               "Description: b",
                               ""};
    int pages = 0;
    QStringList expected = lines;
    expected.removeLast(); // a trailing empty line leaves no trace on the page
    EXPECT_EQ(print(lines, &pages), expected);
}

TEST_F(PdfPrinter, ALongLineStaysOneLine) {
    const QString description = "Description: " + QString("wide ").repeated(14) + "end";
    int pages = 0;
    EXPECT_EQ(print({description}, &pages), QStringList{description});
}

TEST_F(PdfPrinter, AFullPageStartsANewOneAndNothingIsLost) {
    QStringList lines;
    for (int i = 1; i <= 240; ++i)
        lines.append(QString("Line %1 of the long report").arg(i, 3, 10, QChar('0')));
    int pages = 0;
    const QStringList text = print(lines, &pages);
    EXPECT_GT(pages, 1);
    QStringList nonEmpty;
    for (const QString& line : text)
        if (!line.isEmpty())
            nonEmpty.append(line);
    EXPECT_EQ(nonEmpty, lines);
}

TEST_F(PdfPrinter, LatinOneCharactersSurvive) {
    const QStringList lines = {QString("Vendor: Brisklow") + QChar(0x00AE),
                               QString("Description: Caf") + QChar(0x00E9) + " driver"};
    int pages = 0;
    EXPECT_EQ(print(lines, &pages), lines);
}

TEST_F(PdfPrinter, ADocumentWithoutLinesPrintsNothing) {
    auto printer = tolvane::openPdfPrinter(pdf);
    EXPECT_TRUE(printer->endDocument());
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PdfPrinter, AnUnwritableFileIsReportedInWords) {
    const QString bad = dir.path() + "/no/such/folder/report.pdf";
    auto printer = tolvane::openPdfPrinter(bad);
    printer->printLine("File Name: X.DRV");
    printer->printLine("Version: 1");
    EXPECT_FALSE(printer->endDocument());
    EXPECT_TRUE(printer->errorString().contains(bad)) << printer->errorString().toStdString();
}

TEST(DefaultPrinter, IsThereOrIsNone) {
    const auto printer = tolvane::openDefaultPrinter();
    EXPECT_EQ(printer == nullptr, QPrinterInfo::defaultPrinter().isNull());
}
