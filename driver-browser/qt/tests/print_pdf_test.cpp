// The main window's print commands on a real QPrinter writing PDF: the report read back with
// pdftotext, line for line.
#include "form1.h"
#include "form1_test_support.h"
#include "pdf_text.h"
#include "report_printer_qt.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace form1_test;

namespace {

class PrintToPdf : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.valid());
        ASSERT_TRUE(out.isValid());
        pdf = out.path() + "/report.pdf";
        form.setSplashEnabled(false);
        form.setPrinterFactory([this] { return tolvane::openPdfPrinter(pdf); });
    }
    QAction* action(const char* name) { return form.findChild<QAction*>(name); }
    QStringList readBack(int* pages) {
        bool ok = false;
        const QStringList lines = pdfTextLines(pdf, pages, &ok);
        EXPECT_TRUE(ok) << "pdftotext could not read " << pdf.toStdString();
        return lines;
    }

    TempPrefix prefix;
    QTemporaryDir out;
    QString pdf;
    Form1 form;
};

} // namespace

TEST_F(PrintToPdf, AllDriversReportReadsBackExactly) {
    ASSERT_TRUE(addReportSamples(prefix));
    form.load();
    action("ADrivers")->trigger();

    int pages = 0;
    // pdftotext drops the blank behind "Vendor:" and the empty line closing the last block.
    EXPECT_EQ(readBack(&pages),
              QStringList(
                  {"File Name: alpha.drv", "Version: 1.0", "Vendor: Vendor A", "Description: Sound",
                   "", "File Name: Beta.drv", "Version: 2.0", "Vendor: Vendor B",
                   "Description: Display", "", "File Name: novendor.drv", "Version: 3.1",
                   "Vendor:", "Description: Mouse", "", "File Name: plain.drv", "Version: N/A",
                   "Vendor: N/A", "Description: No Information available on this driver"}));
    EXPECT_EQ(pages, 1);
}

TEST_F(PrintToPdf, ManyDriversRunOverSeveralPagesWithoutLosingALine) {
    QStringList expected;
    for (int i = 0; i < 60; ++i) {
        const QString name = QString("d%1.drv").arg(i, 2, 10, QChar('0'));
        const QByteArray version = QByteArray::number(i) + ".0";
        ASSERT_TRUE(
            prefix.add(name, fullDriver("Vendor " + QByteArray::number(i),
                                        "Driver number " + QByteArray::number(i), version)));
        expected << "File Name: " + name << "Version: " + QString::fromLatin1(version)
                 << QString("Vendor: Vendor %1").arg(i)
                 << QString("Description: Driver number %1").arg(i);
    }
    form.load();
    action("ADrivers")->trigger();
    int pages = 0;
    QStringList text = readBack(&pages);
    EXPECT_GT(pages, 1);
    text.removeAll(QString());
    EXPECT_EQ(text, expected);
}

TEST_F(PrintToPdf, ThisDriverReportReadsBackExactly) {
    ASSERT_TRUE(prefix.add("alpha.drv", fullDriver("Vendor A", "Sound driver", "4.10.1998")));
    form.load();
    action("SDriver")->trigger();
    int pages = 0;
    EXPECT_EQ(readBack(&pages), QStringList({"File Name: alpha.drv", "Version: 4.10.1998",
                                             "Vendor: Vendor A", "Description: Sound driver"}));
    EXPECT_EQ(pages, 1);
}

TEST_F(PrintToPdf, AllDriversOfAnEmptyListPrintNoDocument) {
    form.load();
    action("ADrivers")->trigger();
    EXPECT_FALSE(QFile::exists(pdf));
}
