// The two print commands of the main window: the labels hidden during the run and read for
// every entry. The lines, their order, the document boundaries and the messages without a
// printer or with a failing one are the conformance table's, played against both
// front-ends.
#include "file_list_box.h"
#include "form1.h"
#include "form1_test_support.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>

using namespace form1_test;

namespace {

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.valid());
        form.setSplashEnabled(false);
        form.setPrinterFactory([this]() -> std::unique_ptr<tolvane::ReportPrinter> {
            jobs.emplace_back(std::make_unique<PrintJob>());
            return std::make_unique<RecordingPrinter>(*jobs.back(), onLine);
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
};

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

} // namespace
