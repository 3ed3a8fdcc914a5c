// The print commands against a recording printer and main window sharing one log: the
// lines, their order, the document boundaries and the warnings.
#include "print_report.h"
#include "recording_main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

using Log = std::vector<std::string>;

// Prints the prefix and, for a line with a label, "<labelname>" where the caption goes.
struct RecordingPrinter {
    Log* log;
    bool available = true;
    bool fails = false;

    PrinterSeam seam() {
        PrinterSeam s{};
        s.context = this;
        s.open = [](void* self) {
            auto* p = static_cast<RecordingPrinter*>(self);
            p->log->push_back(p->available ? "open" : "open: none");
            return p->available;
        };
        s.printLine = [](void* self, const ReportLine& line) {
            std::string text = std::string("line \"") + line.prefix;
            if (line.hasLabel) {
                text += std::string("<") + testing::labelName(line.label) + ">";
            }
            static_cast<RecordingPrinter*>(self)->log->push_back(text + "\"");
        };
        s.endDocument = [](void* self) {
            auto* p = static_cast<RecordingPrinter*>(self);
            p->log->push_back(p->fails ? "end: failed" : "end");
            return !p->fails;
        };
        s.warn = [](void* self) { static_cast<RecordingPrinter*>(self)->log->push_back("warn"); };
        return s;
    }
};

const Log kFourLines = {"line \"File Name: <FileNamelbl>\"", "line \"Version: <Versionlbl>\"",
                        "line \"Vendor: <Vendorlbl>\"", "line \"Description: <Descrlbl>\""};

Log driverBlock(int x) {
    Log block = {"select " + std::to_string(x), "ShowDriverInfo " + std::to_string(x)};
    block.insert(block.end(), kFourLines.begin(), kFourLines.end());
    block.push_back("line \"\"");
    return block;
}

const Log kHide = {"hide FileNamelbl", "hide Versionlbl", "hide Vendorlbl", "hide Descrlbl"};
const Log kShow = {"show FileNamelbl", "show Versionlbl", "show Vendorlbl", "show Descrlbl"};

TEST(PrintReport, ReportLinesAreTheFourPrefixesInPrintedOrder) {
    ASSERT_EQ(kReportLineCount, 4u);
    EXPECT_STREQ(kReportLines[0].prefix, "File Name: ");
    EXPECT_STREQ(kReportLines[1].prefix, "Version: ");
    EXPECT_STREQ(kReportLines[2].prefix, "Vendor: ");
    EXPECT_STREQ(kReportLines[3].prefix, "Description: ");
    EXPECT_STREQ(kEmptyReportLine.prefix, "");
    EXPECT_FALSE(kEmptyReportLine.hasLabel);
}

TEST(PrintReport, ThisDriverPrintsFourLinesThenEndsTheDocument) {
    Log log;
    RecordingPrinter printer{&log};
    EXPECT_EQ(printThisDriver(printer.seam()), PrintOutcome::Printed);
    Log expected = {"open"};
    expected.insert(expected.end(), kFourLines.begin(), kFourLines.end());
    expected.push_back("end");
    EXPECT_EQ(log, expected);
}

TEST(PrintReport, ThisDriverWarnsWithoutPrinterOrWhenItFails) {
    Log log;
    RecordingPrinter none{&log, false};
    EXPECT_EQ(printThisDriver(none.seam()), PrintOutcome::NoPrinter);
    EXPECT_EQ(log, (Log{"open: none", "warn"}));

    log.clear();
    RecordingPrinter failing{&log, true, true};
    EXPECT_EQ(printThisDriver(failing.seam()), PrintOutcome::PrinterFailed);
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[5], "end: failed");
    EXPECT_EQ(log[6], "warn");
}

TEST(PrintReport, AllDriversWalksEveryEntryBetweenHiddenAndShownLabels) {
    for (const int count : {0, 1, 3}) {
        Log log;
        RecordingPrinter printer{&log};
        testing::RecordingMainWindow window{&log, count, 0};
        EXPECT_EQ(printAllDrivers(window.seam(), printer.seam()), PrintOutcome::Printed);
        Log expected = {"open"};
        expected.insert(expected.end(), kHide.begin(), kHide.end());
        expected.push_back("events");
        expected.push_back("count");
        for (int x = 0; x < count; ++x) {
            const Log block = driverBlock(x);
            expected.insert(expected.end(), block.begin(), block.end());
        }
        expected.insert(expected.end(), kShow.begin(), kShow.end());
        expected.push_back("end");
        EXPECT_EQ(log, expected) << count << " entries";
    }
}

TEST(PrintReport, AllDriversWithoutPrinterLeavesTheWindowAlone) {
    Log log;
    RecordingPrinter none{&log, false};
    testing::RecordingMainWindow window{&log, 5, 2};
    EXPECT_EQ(printAllDrivers(window.seam(), none.seam()), PrintOutcome::NoPrinter);
    EXPECT_EQ(log, (Log{"open: none", "warn"}));
}

TEST(PrintReport, AllDriversWithAFailingPrinterShowsTheLabelsBeforeWarning) {
    Log log;
    RecordingPrinter failing{&log, true, true};
    testing::RecordingMainWindow window{&log, 2, 0};
    EXPECT_EQ(printAllDrivers(window.seam(), failing.seam()), PrintOutcome::PrinterFailed);
    ASSERT_GE(log.size(), 6u);
    const Log tail(log.end() - 6, log.end());
    Log expected = kShow;
    expected.push_back("end: failed");
    expected.push_back("warn");
    EXPECT_EQ(tail, expected);
}

} // namespace
} // namespace tolvane
