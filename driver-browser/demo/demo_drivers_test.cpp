// The demo Windows directory shows what it is meant to show in the driver browser.
#include "demo_drivers.h"
#include "driver_files.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tolvane::demo {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class DemoDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tolvane-demo-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        wine = root / "winelib";
        fs::create_directories(wine);
        std::ofstream(wine / "display.drv16") << "MZ display";
        std::ofstream(wine / "VGA.drv16") << "MZ clashes with a sample";
        std::ofstream(wine / "notes.txt") << "not a driver";
    }
    void TearDown() override { fs::remove_all(root); }

    std::string system() const { return (root / "drive_c" / "windows" / "system").string(); }
    VersionCaptions captionsOf(const std::string& name) const {
        return readVersionCaptions(system() + "/" + name);
    }

    fs::path root;
    fs::path wine;
};

TEST_F(DemoDirectory, WritesTheSystemAndDesktopDirectories) {
    const Names written = writeDemoWindowsDirectory(root.string(), wine.string());
    EXPECT_TRUE(fs::is_directory(root / "drive_c" / "windows" / "desktop"));
    EXPECT_EQ(written.size(), sampleDrivers().size() + 1);
    EXPECT_EQ(written.back(), "display.drv");
    EXPECT_FALSE(fs::exists(fs::path(system()) / "VGA.drv"));
    EXPECT_EQ(listDriverFiles(system(), "*.drv"),
              (Names{"display.drv", "EMPTY.DRV", "Kbdenh.Drv", "midimap.drv", "msmouse.drv",
                     "OLDTIMER.DRV", "SERIALX.DRV", "SNDBLAST.DRV", "SVGA256.DRV", "timer.drv",
                     "unicode.drv", "VGA.DRV"}));
    EXPECT_EQ(listDriverFiles(system(), "*.dll"), (Names{"lanman.dll", "PRNTSPL.DLL"}));
    EXPECT_EQ(listDriverFiles(system(), "*.vxd"), (Names{"CDROM.VXD", "vnetbios.vxd"}));
}

TEST_F(DemoDirectory, SamplesShowTheirVersionStrings) {
    writeDemoWindowsDirectory(root.string(), wine.string());
    EXPECT_EQ(captionsOf("VGA.DRV"),
              (VersionCaptions{u"VGA display driver", u"Quorrel Display Works", u"3.10.103"}));
    EXPECT_EQ(captionsOf("SVGA256.DRV"),
              (VersionCaptions{u"Quorrel\u00AE Super VGA 256-colour driver",
                               u"Quorrel Display Works", u"4.00.950"}));
    EXPECT_EQ(captionsOf("SNDBLAST.DRV").description, u"Ambrett\u2122 wave and MIDI sound driver");
    EXPECT_EQ(captionsOf("lanman.dll").description, u"Network support library \u00A9 1996");
    EXPECT_EQ(captionsOf("vnetbios.vxd").description, u"Virtual NetBIOS device \u2013 r\u00E9seau");
    EXPECT_EQ(captionsOf("timer.drv"), (VersionCaptions{u"System timer driver (no version given)",
                                                        u"Merrowdale Power Systems", u"N/A"}));
    const VersionCaptions none{kNoInformation, kNotAvailable, kNotAvailable};
    EXPECT_EQ(captionsOf("OLDTIMER.DRV"), none);
    EXPECT_EQ(captionsOf("unicode.drv"), none);
    EXPECT_EQ(captionsOf("EMPTY.DRV"), none);
    EXPECT_EQ(fs::file_size(fs::path(system()) / "EMPTY.DRV"), 0u);
}

TEST_F(DemoDirectory, EverySampleWithVersionStringsShowsAVendor) {
    writeDemoWindowsDirectory(root.string(), wine.string());
    for (const SampleDriver& sample : sampleDrivers()) {
        const VersionCaptions shown = captionsOf(sample.name);
        if (shown.description != kNoInformation) {
            EXPECT_NE(shown.vendor, kNotAvailable) << sample.name;
            EXPECT_FALSE(shown.vendor.empty()) << sample.name;
        }
    }
}

TEST_F(DemoDirectory, RunningTwiceGivesTheSameFiles) {
    writeDemoWindowsDirectory(root.string(), wine.string());
    const auto first = fs::file_size(fs::path(system()) / "VGA.DRV");
    writeDemoWindowsDirectory(root.string(), wine.string());
    EXPECT_EQ(fs::file_size(fs::path(system()) / "VGA.DRV"), first);
    EXPECT_EQ(listDriverFiles(system(), "*").size(), sampleDrivers().size() + 1);
}

TEST_F(DemoDirectory, MissingWineDirectoryCopiesNothing) {
    const Names written = writeDemoWindowsDirectory(root.string(), (root / "nowhere").string());
    EXPECT_EQ(written.size(), sampleDrivers().size());
}

} // namespace
} // namespace tolvane::demo
