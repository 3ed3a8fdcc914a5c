// The two print commands of the main window: lines, order, document boundaries, label
// visibility during the run and what happens without a printer.
#include "file_list_box.h"
#include "form1.h"
#include "form1_test_support.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <gtest/gtest.h>

#include <fstream>

using namespace form1_test;

namespace {

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.valid());
        form.setSplashEnabled(false);
        form.setPrinterFactory([this](QString*) -> std::unique_ptr<tolvane::ReportPrinter> {
            ++printersOpened;
            jobs.emplace_back(std::make_unique<PrintJob>());
            return std::make_unique<RecordingPrinter>(*jobs.back(), onLine, failEnd);
        });
    }

    QLabel* label(const char* name) { return form.findChild<QLabel*>(name); }
    QAction* action(const char* name) { return form.findChild<QAction*>(name); }
    QStringList captions() {
        return {label("FileNamelbl")->text(), label("Descrlbl")->text(), label("Vendorlbl")->text(),
                label("Versionlbl")->text()};
    }
    // Visibility of the four value labels, as set by the program (the window is not shown).
    std::vector<bool> labelsShown() {
        std::vector<bool> shown;
        for (const char* name : {"FileNamelbl", "Versionlbl", "Vendorlbl", "Descrlbl"})
            shown.push_back(!label(name)->isHidden());
        return shown;
    }

    TempPrefix prefix;
    Form1 form;
    std::vector<std::unique_ptr<PrintJob>> jobs;
    std::function<void()> onLine;
    bool failEnd = false;
    int printersOpened = 0;
};

TEST_F(PrintCommands, PrintThisDriverPrintsTheFourLinesInReportOrder) {
    ASSERT_TRUE(prefix.add("alpha.drv", fullDriver("Vendor A", "Sound driver", "4.10.1998")));
    form.load();
    action("SDriver")->trigger();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0]->ended);
    EXPECT_EQ(jobs[0]->lines, QStringList({"File Name: alpha.drv", "Version: 4.10.1998",
                                           "Vendor: Vendor A", "Description: Sound driver"}));
}

TEST_F(PrintCommands, PrintThisDriverWithAnEmptyListPrintsTheBarePrefixes) {
    form.load();
    ASSERT_EQ(form.driverList()->count(), 0);
    action("SDriver")->trigger();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0]->ended);
    EXPECT_EQ(jobs[0]->lines,
              QStringList({"File Name: ", "Version: ", "Vendor: ", "Description: "}));
}

TEST_F(PrintCommands, PrintAllWithAnEmptyListPrintsNothingButEndsTheDocument) {
    form.load();
    action("ADrivers")->trigger();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0]->lines.isEmpty());
    EXPECT_TRUE(jobs[0]->ended);
    EXPECT_EQ(labelsShown(), std::vector<bool>({true, true, true, true}));
    EXPECT_EQ(captions(), QStringList({"", "", "", ""}));
}

TEST_F(PrintCommands, PrintAllPrintsEveryDriverInListOrderWithAnEmptyLineAfterEach) {
    ASSERT_TRUE(addReportSamples(prefix));
    form.load();
    action("ADrivers")->trigger();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0]->ended);
    const QStringList expected = {"File Name: alpha.drv",
                                  "Version: 1.0",
                                  "Vendor: Vendor A",
                                  "Description: Sound",
                                  "",
                                  "File Name: Beta.drv",
                                  "Version: 2.0",
                                  "Vendor: Vendor B",
                                  "Description: Display",
                                  "",
                                  "File Name: novendor.drv",
                                  "Version: 3.1",
                                  "Vendor: ",
                                  "Description: Mouse",
                                  "",
                                  "File Name: plain.drv",
                                  "Version: N/A",
                                  "Vendor: N/A",
                                  "Description: No Information available on this driver",
                                  ""};
    EXPECT_EQ(jobs[0]->lines, expected);
    // The last entry stays selected and shown; the labels are visible again.
    EXPECT_EQ(form.driverList()->selectedIndex(), 3);
    EXPECT_EQ(captions(),
              QStringList({"plain.drv", "No Information available on this driver", "N/A", "N/A"}));
    EXPECT_EQ(labelsShown(), std::vector<bool>({true, true, true, true}));
    EXPECT_EQ(form.driverList()->pattern(), "*.drv");
    EXPECT_TRUE(action("DRVOnly")->isChecked());
}

TEST_F(PrintCommands, LabelsAreHiddenWhileEveryLineIsPrinted) {
    ASSERT_TRUE(prefix.add("a.drv", fullDriver("V1", "D1", "1")));
    ASSERT_TRUE(prefix.add("b.drv", fullDriver("V2", "D2", "2")));
    form.load();
    std::vector<std::vector<bool>> seen;
    onLine = [&] { seen.push_back(labelsShown()); };
    action("ADrivers")->trigger();
    ASSERT_EQ(seen.size(), 10u);
    for (const auto& shown : seen)
        EXPECT_EQ(shown, std::vector<bool>({false, false, false, false}));
    EXPECT_EQ(labelsShown(), std::vector<bool>({true, true, true, true}));
}

TEST_F(PrintCommands, PrintAllReadsTheLabelsOfTheEntryBeingPrinted) {
    ASSERT_TRUE(prefix.add("a.drv", fullDriver("V1", "D1", "1")));
    ASSERT_TRUE(prefix.add("b.drv", fullDriver("V2", "D2", "2")));
    ASSERT_TRUE(prefix.add("c.drv", fullDriver("V3", "D3", "3")));
    form.load();
    QStringList selectedWhilePrinting;
    onLine = [&] {
        selectedWhilePrinting << form.driverList()->entry(form.driverList()->selectedIndex());
    };
    action("ADrivers")->trigger();
    ASSERT_EQ(selectedWhilePrinting.size(), 15);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(selectedWhilePrinting[i], QStringList({"a.drv", "b.drv", "c.drv"})[i / 5]) << i;
}

TEST_F(PrintCommands, ALongDescriptionIsPrintedOnOneLine) {
    const QByteArray longText =
        "A very long description of a driver that is far wider than the label on the main "
        "window and wraps there onto several lines";
    ASSERT_TRUE(prefix.add("long.drv", fullDriver("V", longText, "1")));
    form.load();
    ASSERT_TRUE(label("Descrlbl")->wordWrap());
    action("SDriver")->trigger();
    ASSERT_EQ(jobs.size(), 1u);
    ASSERT_EQ(jobs[0]->lines.size(), 4);
    EXPECT_EQ(jobs[0]->lines[3], "Description: " + QString::fromLatin1(longText));
}

TEST_F(PrintCommands, EightBitCharactersArePrintedAsShown) {
    // Windows-1252: 0xFC u-umlaut, 0xE9 e-acute, 0x80 euro sign, 0x99 trade mark sign.
    ASSERT_TRUE(prefix.add("x.drv", fullDriver("M\xfcller \x80", "Caf\xe9\x99", "1")));
    form.load();
    action("SDriver")->trigger();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0]->lines[2], QString::fromUtf16(u"Vendor: M\u00FCller \u20AC"));
    EXPECT_EQ(jobs[0]->lines[3], QString::fromUtf16(u"Description: Caf\u00E9\u2122"));
    EXPECT_EQ(jobs[0]->lines[2], "Vendor: " + label("Vendorlbl")->text());
    EXPECT_EQ(jobs[0]->lines[3], "Description: " + label("Descrlbl")->text());
}

TEST_F(PrintCommands, ANameThatIsNotUtf8IsOpenedAndShownThroughTheCodePage) {
    // The bytes "A", 0xE9, ".drv", as a name copied from old Windows media keeps them.
    const QByteArray name("A\xE9.drv");
    // Written by its bytes: QFile would take the name as text.
    std::ofstream file((QFile::encodeName(prefix.systemDir()) + "/" + name).toStdString(),
                       std::ios::binary);
    const QByteArray bytes = fullDriver("Vendor \xE9", "Old media", "3.1");
    ASSERT_TRUE(file.write(bytes.constData(), bytes.size()));
    file.close();
    form.load();
    ASSERT_EQ(form.driverList()->count(), 1);
    const QString shown = QString::fromUtf16(u"A\u00E9.drv");
    EXPECT_EQ(form.driverList()->entry(0), shown);
    EXPECT_EQ(form.driverList()->entryFileName(0), name);
    EXPECT_EQ(captions(),
              QStringList({shown, "Old media", QString::fromUtf16(u"Vendor \u00E9"), "3.1"}));
    action("SDriver")->trigger();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0]->lines[0], "File Name: " + shown);
    EXPECT_EQ(jobs[0]->lines[1], "Version: 3.1");
}

class PrintWithoutPrinter : public PrintCommands {
protected:
    void SetUp() override {
        PrintCommands::SetUp();
        form.setPrinterFactory([this](QString* why) -> std::unique_ptr<tolvane::ReportPrinter> {
            ++printersOpened;
            *why = QStringLiteral("No printer is installed.");
            return nullptr;
        });
    }
};

TEST_F(PrintWithoutPrinter, PrintAllShowsAMessageAndChangesNothing) {
    ASSERT_TRUE(prefix.add("a.drv", fullDriver("V1", "D1", "1")));
    ASSERT_TRUE(prefix.add("b.drv", fullDriver("V2", "D2", "2")));
    form.load();
    const QStringList before = captions();
    bool seen = false;
    QString text;
    std::vector<bool> shownDuringMessage;
    withModal([&] { action("ADrivers")->trigger(); },
              [&](QWidget* modal) {
                  auto* box = qobject_cast<QMessageBox*>(modal);
                  ASSERT_NE(box, nullptr);
                  text = box->text();
                  shownDuringMessage = labelsShown();
                  box->accept();
              },
              &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(printersOpened, 1);
    EXPECT_EQ(text, "No printer is installed.");
    EXPECT_EQ(shownDuringMessage, std::vector<bool>({true, true, true, true}));
    EXPECT_EQ(form.driverList()->selectedIndex(), 0);
    EXPECT_EQ(captions(), before);
    EXPECT_EQ(labelsShown(), std::vector<bool>({true, true, true, true}));
}

TEST_F(PrintWithoutPrinter, PrintThisShowsAMessage) {
    ASSERT_TRUE(prefix.add("a.drv", fullDriver("V1", "D1", "1")));
    form.load();
    const QStringList before = captions();
    bool seen = false;
    QString text;
    withModal([&] { action("SDriver")->trigger(); },
              [&](QWidget* modal) {
                  text = qobject_cast<QMessageBox*>(modal)
                             ? static_cast<QMessageBox*>(modal)->text()
                             : QString();
                  modal->close();
              },
              &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(text, "No printer is installed.");
    EXPECT_EQ(captions(), before);
}

TEST_F(PrintCommands, AFailingPrinterIsReportedAfterTheDocument) {
    ASSERT_TRUE(prefix.add("a.drv", fullDriver("V1", "D1", "1")));
    form.load();
    failEnd = true;
    bool seen = false;
    QString text;
    withModal([&] { action("ADrivers")->trigger(); },
              [&](QWidget* modal) {
                  auto* box = qobject_cast<QMessageBox*>(modal);
                  text = box ? box->text() : QString();
                  modal->close();
              },
              &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(text, "The printer is out of paper.");
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0]->ended);
    EXPECT_EQ(labelsShown(), std::vector<bool>({true, true, true, true}));
}

} // namespace
