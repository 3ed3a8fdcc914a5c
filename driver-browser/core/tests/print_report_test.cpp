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

struct RecordingPrinter {
    Log* log;
    bool available = true;
    bool fails = false;
    const char* reason = ""; // what a failing printer says
    bool memoryRunsOut = false;
    std::string memory{};

    PrinterSeam seam() {
        PrinterSeam s{};
        s.context = this;
        s.open = [](void* self) {
            auto* p = static_cast<RecordingPrinter*>(self);
            p->log->push_back(p->available ? "open" : "open: none");
            return p->available;
        };
        s.memory = [](void* self, std::size_t size) -> char* {
            auto* p = static_cast<RecordingPrinter*>(self);
            if (p->memoryRunsOut) {
                return nullptr;
            }
            p->memory.assign(size, '#'); // as memory the core must fill
            return p->memory.data();
        };
        s.printLine = [](void* self, const char* text, std::size_t length) {
            static_cast<RecordingPrinter*>(self)->log->push_back("line \"" +
                                                                 std::string(text, length) + "\"");
        };
        s.endDocument = [](void* self, const char** why) {
            auto* p = static_cast<RecordingPrinter*>(self);
            p->log->push_back(p->fails ? "end: failed" : "end");
            *why = p->fails ? p->reason : "untouched";
            return !p->fails;
        };
        s.warn = [](void* self, const char* text) {
            static_cast<RecordingPrinter*>(self)->log->push_back(std::string("warn: ") + text);
        };
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
const std::string kNoPrinter = "warn: No printer is installed. Set up a printer as the system's "
                               "default printer and try again.";
const std::string kFailed = "warn: The report could not be printed.";

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
    testing::RecordingMainWindow window{&log};
    EXPECT_EQ(printThisDriver(window.seam(), printer.seam()), PrintOutcome::Printed);
    Log expected = {"open"};
    expected.insert(expected.end(), kFourLines.begin(), kFourLines.end());
    expected.push_back("end");
    EXPECT_EQ(log, expected);
}

TEST(PrintReport, ACaptionOfAnyLengthIsPrintedWholeOnItsLine) {
    Log log;
    RecordingPrinter printer{&log};
    testing::RecordingMainWindow window{&log};
    window.caption = std::string(5000, 'd') + "\xE9";
    printThisDriver(window.seam(), printer.seam());
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[4], "line \"Description: " + window.caption + "\"");
}

TEST(PrintReport, WarningsWithoutAPrinterOrWhenItFails) {
    struct Case {
        bool available;
        bool fails;
        const char* reason;
        PrintOutcome outcome;
        std::string warning;
    };
    const Case cases[] = {
        {false, false, "", PrintOutcome::NoPrinter, kNoPrinter},
        {true, true, "", PrintOutcome::PrinterFailed, kFailed},
        {true, true, nullptr, PrintOutcome::PrinterFailed, kFailed},
        {true, true, "Out of paper", PrintOutcome::PrinterFailed,
         kFailed + "\nReason: Out of paper"},
    };
    for (const Case& c : cases) {
        for (const bool all : {false, true}) {
            Log log;
            RecordingPrinter printer{&log, c.available, c.fails, c.reason};
            testing::RecordingMainWindow window{&log, 2, 0};
            const PrintOutcome outcome = all ? printAllDrivers(window.seam(), printer.seam())
                                             : printThisDriver(window.seam(), printer.seam());
            EXPECT_EQ(outcome, c.outcome) << c.warning;
            ASSERT_FALSE(log.empty());
            EXPECT_EQ(log.back(), c.warning) << all;
        }
    }
}

TEST(PrintReport, ALineWithoutMemoryIsNotPrintedAndTheUserIsTold) {
    Log log;
    RecordingPrinter printer{&log};
    printer.memoryRunsOut = true;
    testing::RecordingMainWindow window{&log};
    EXPECT_EQ(printThisDriver(window.seam(), printer.seam()), PrintOutcome::PrinterFailed);
    // No memory for the warning's reason either: the plain text.
    EXPECT_EQ(log, (Log{"open", "end", kFailed}));
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
    EXPECT_EQ(log, (Log{"open: none", kNoPrinter}));
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
    expected.push_back(kFailed);
    EXPECT_EQ(tail, expected);
}

} // namespace
} // namespace tolvane
