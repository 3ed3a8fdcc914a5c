// The version-string search on files built byte by byte.
#include "reference_version_scan.h"
#include "test_captions.h"
#include "version_file_builder.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

using testing::VersionFileBuilder;

const std::u16string kNoInfo = kNoInformation;
const std::u16string kNA = kNotAvailable;

VersionCaptions extract(const VersionFileBuilder& file) {
    const VersionCaptions fast = extractVersionCaptions(file.bytes().data(), file.size());
    // Every case here also holds for the literal reading of the scan.
    EXPECT_EQ(fast, reference::scanLiterally(file.bytes().data(), file.size()));
    return fast;
}

VersionCaptions captions(const std::string& description, const std::string& vendor,
                         const std::string& version) {
    return VersionCaptions{u16(description), u16(vendor), u16(version)};
}

TEST(VersionStrings, EmptyFileShowsTheDefaults) {
    EXPECT_EQ(extractVersionCaptions(nullptr, 0), kDefaults);
    const uint8_t none[1] = {0};
    EXPECT_EQ(extractVersionCaptions(none, 0), kDefaults);
}

TEST(VersionStrings, SixteenBitStringsAreNotFound) {
    VersionFileBuilder file;
    file.fill(40, 0).wideText("StringFileInfo").fill(16, 0);
    file.wideText("CompanyName").wideText("Quorrel Display Works");
    file.wideText("FileDescription").wideText("Display driver");
    file.wideText("FileVersion").wideText("4.10");
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, AllThreeKeysGiveTheirValues) {
    VersionFileBuilder file;
    file.fill(100, 0x55).markerAndGap();
    file.entry("CompanyName", "Quorrel Display Works");
    file.entry("FileDescription", "VGA display driver");
    file.entry("FileVersion", "4.10.1998");
    file.fill(300, 0);
    EXPECT_EQ(extract(file), captions("VGA display driver", "Quorrel Display Works", "4.10.1998"));
}

TEST(VersionStrings, KeysInAnyOrder) {
    VersionFileBuilder file;
    file.markerAndGap().entry("FileVersion", "1.0").entry("FileDescription", "Mouse");
    file.entry("CompanyName", "Ambrett Sound Labs").fill(20, 0);
    EXPECT_EQ(extract(file), captions("Mouse", "Ambrett Sound Labs", "1.0"));
}

TEST(VersionStrings, WithoutCompanyNameTheVendorStaysEmpty) {
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "Keyboard driver").entry("FileVersion", "3.1");
    file.fill(250, 0);
    EXPECT_EQ(extract(file), captions("Keyboard driver", "", "3.1"));
}

TEST(VersionStrings, WithOnlyFileVersionDescriptionAndVendorStayEmpty) {
    VersionFileBuilder file;
    file.markerAndGap().entry("FileVersion", "2.2").fill(250, 0);
    EXPECT_EQ(extract(file), captions("", "", "2.2"));
}

TEST(VersionStrings, WithoutFileVersionTheVersionIsNotAvailable) {
    VersionFileBuilder file;
    file.markerAndGap().entry("CompanyName", "Ambrett Sound Labs");
    file.entry("FileDescription", "Wave driver").fill(250, 0);
    EXPECT_EQ(extract(file), captions("Wave driver", "Ambrett Sound Labs", "N/A"));
}

TEST(VersionStrings, DescriptionAloneGetsNotAvailableVendorAndVersion) {
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "Wave driver").fill(250, 0);
    EXPECT_EQ(extract(file), captions("Wave driver", "N/A", "N/A"));
}

TEST(VersionStrings, VendorWithoutDescriptionAndVersionIsReplacedByTheDefaults) {
    VersionFileBuilder file;
    file.markerAndGap().entry("CompanyName", "Ambrett Sound Labs").fill(250, 0);
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, WindowWithNoKeyShowsTheDefaults) {
    VersionFileBuilder file;
    file.markerAndGap().entry("ProductName", "Nothing").entry("LegalCopyright", "None");
    file.fill(250, 0);
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, NoMarkerShowsTheDefaults) {
    VersionFileBuilder file;
    file.entry("CompanyName", "A").entry("FileDescription", "B").entry("FileVersion", "C");
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, MarkerWithinTheLast31BytesGivesAnEmptyWindow) {
    // The window starts 31 bytes behind the marker's first byte; a marker starting
    // within the last 31 bytes leaves an empty window (length 0 down to -29).
    const std::string behind = std::string("StringFileInfo") + '\0' + "FileVersion" + '\0' + "9";
    for (std::size_t tail = 15; tail <= 31; ++tail) {
        VersionFileBuilder file;
        file.fill(64 + tail, 0x20).put(64, behind.substr(0, tail));
        ASSERT_EQ(file.size(), 64 + tail);
        EXPECT_EQ(extract(file), kDefaults) << "marker starts " << tail << " bytes before the end";
    }
}

TEST(VersionStrings, MarkerAtTheVeryEnd) {
    VersionFileBuilder file;
    file.fill(10, 0x41).marker();
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, MarkerTruncatedAtTheEndOfTheFile) {
    const std::string marker = "StringFileInfo";
    for (std::size_t kept = 1; kept <= marker.size(); ++kept) {
        VersionFileBuilder file;
        file.fill(10, 0x41).text(marker.substr(0, kept));
        EXPECT_EQ(extract(file), kDefaults) << kept << " bytes of the marker";
    }
}

TEST(VersionStrings, MarkerWithoutItsZeroByteDoesNotCount) {
    VersionFileBuilder file;
    file.text("StringFileInfo").fill(17, 0x30).entry("FileVersion", "1").fill(200, 0);
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, ShortWindowAtTheEndOfTheFileStillFindsKeys) {
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "Tail").entry("FileVersion", "7.0");
    EXPECT_EQ(extract(file), captions("Tail", "", "7.0"));
}

TEST(VersionStrings, ValueWithoutTerminatorEndsAtTheEndOfTheWindowText) {
    // The file ends inside the value: what was gathered is shown.
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "Cut").text("FileVersion").zero().text("1.2.3");
    EXPECT_EQ(extract(file), captions("Cut", "", "1.2.3"));

    // The window's 200 bytes end inside the value (the file goes on without a zero byte).
    VersionFileBuilder longer;
    longer.markerAndGap().fill(150, 0x2E).text("FileVersion").zero();
    longer.fill(100, 0x37);
    EXPECT_EQ(extract(longer), captions("", "", std::string(38, '7')));
}

TEST(VersionStrings, KeyFollowedByTwoZeroBytesHasAnEmptyValue) {
    VersionFileBuilder file;
    file.markerAndGap().entry("CompanyName", "").entry("FileDescription", "Printer");
    file.entry("FileVersion", "").fill(40, 0);
    // A second marker with a full set is never reached: the empty version ended the scan.
    file.markerAndGap().entry("CompanyName", "X").entry("FileDescription", "Y");
    file.entry("FileVersion", "Z").fill(250, 0);
    EXPECT_EQ(extract(file), captions("Printer", "", ""));
}

TEST(VersionStrings, EmptyDescriptionWithoutVersionBringsAllDefaults) {
    VersionFileBuilder file;
    file.markerAndGap().entry("CompanyName", "Ambrett Sound Labs").entry("FileDescription", "");
    file.fill(250, 0);
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, FirstMatchOfAKeyWins) {
    VersionFileBuilder file;
    file.markerAndGap().entry("CompanyName", "First").entry("CompanyName", "Second");
    file.entry("FileDescription", "D1").entry("FileDescription", "D2");
    file.entry("FileVersion", "V1").entry("FileVersion", "V2").fill(100, 0);
    EXPECT_EQ(extract(file), captions("D1", "First", "V1"));
}

TEST(VersionStrings, KeysAreComparedWithCase) {
    VersionFileBuilder file;
    file.markerAndGap().entry("companyname", "lower").entry("FILEVERSION", "upper");
    file.entry("FileDescription", "Found").fill(200, 0);
    EXPECT_EQ(extract(file), captions("Found", "N/A", "N/A"));
}

TEST(VersionStrings, TheCharacterBetweenKeyAndValueIsNotChecked) {
    VersionFileBuilder file;
    file.markerAndGap().text("CompanyName=Brisklow").zero();
    file.text("FileVersionV5.1").zero().fill(200, 0);
    EXPECT_EQ(extract(file), captions("", "Brisklow", "5.1"));
}

TEST(VersionStrings, KeyAtTheLastPositionOfTheWindow) {
    // "FileVersion" starting at window position 200 runs past the window into the rest of
    // the window text; with no further marker the text ends at 200 characters.
    VersionFileBuilder file;
    file.markerAndGap().fill(199, 0x2D).text("FileVersion").zero().text("8").zero();
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, HighBytesAreShownAsWindows1252) {
    std::string value;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        value.push_back(static_cast<char>(byte));
    }
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", value.substr(0, 64));
    file.entry("FileVersion", value.substr(64)).fill(10, 0);
    const VersionCaptions result = extract(file);
    ASSERT_EQ(result.description.size(), 64u);
    ASSERT_EQ(result.version.size(), 64u);
    EXPECT_EQ(result.description[0], u'\u20AC');    // 0x80 euro sign
    EXPECT_EQ(result.description[1], u'\u0081');    // undefined, kept as the control character
    EXPECT_EQ(result.description[0x19], u'\u2122'); // 0x99 trade mark sign
    EXPECT_EQ(result.description[0x29], u'\u00A9'); // 0xA9 copyright sign
    EXPECT_EQ(result.description[0x2E], u'\u00AE'); // 0xAE registered sign
    EXPECT_EQ(result.version[0x3F], u'\u00FF');     // 0xFF
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::size_t n = static_cast<std::size_t>(byte - 0x80);
        const char16_t shown = n < 64 ? result.description[n] : result.version[n - 64];
        EXPECT_EQ(shown, ansiToChar(static_cast<uint8_t>(byte))) << "byte " << byte;
    }
}

// Two markers: the first window has no version; the second marker clears the labels and
// searches again, but only positions 1 .. its own window length of the whole window text,
// which is the first window's text.
TEST(VersionStrings, SecondMarkerSearchesTheFirstWindowAgain) {
    VersionFileBuilder file;
    file.markerAndGap().entry("CompanyName", "Early").entry("FileDescription", "Kept");
    file.padTo(31 + 200 + 40, 0x01);
    // The second window's keys lie beyond the search range and are never found.
    file.markerAndGap().entry("FileVersion", "9.9").fill(250, 0);
    EXPECT_EQ(extract(file), captions("Kept", "Early", "N/A"));
}

TEST(VersionStrings, LaterMarkerWithAShorterWindowClearsWhatItCannotReach) {
    // The vendor sits at window position 150; a second marker close to the end of the file
    // has a window of 100 bytes, so its search stops before position 150.
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "Early").padTo(31 + 149, 0x2D);
    file.entry("CompanyName", "Far").padTo(31 + 200 + 10, 0x01);
    file.markerAndGap().fill(100, 0x02);
    EXPECT_EQ(extract(file), captions("Early", "N/A", "N/A"));
}

TEST(VersionStrings, KeyStraddlingTheEndOfTheFirstWindow) {
    // The first window ends with "FileVer"; the second window begins with "sion", NUL,
    // "2.0": at the second marker the key starting at position 194 is complete.
    VersionFileBuilder file;
    file.markerAndGap().entry("CompanyName", "Straddle Co").padTo(31 + 193, 0x2E);
    file.text("FileVer");
    ASSERT_EQ(file.size(), 31u + 200u);
    file.fill(40, 0x03);
    file.markerAndGap().text("sion").zero().text("2.0").zero().fill(250, 0);
    EXPECT_EQ(extract(file), captions("", "Straddle Co", "2.0"));
}

TEST(VersionStrings, StraddlingKeyBeyondAShortSecondWindowIsNotFound) {
    // As above, but the second marker's window is cut to 100 bytes by the end of the file:
    // its search stops at position 100, before the key at 194.
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "Cut short").padTo(31 + 193, 0x2E);
    file.text("FileVer").fill(40, 0x03);
    file.markerAndGap().text("sion").zero().text("2.0").zero().padTo(271 + 31 + 100, 0x04);
    EXPECT_EQ(extract(file), captions("Cut short", "N/A", "N/A"));
}

TEST(VersionStrings, LastMarkerWithAnEmptyWindowFindsNothing) {
    // The first two windows hold "FileVersion" straddling the first window's end (out of
    // the second window's reach); a third marker in the last 31 bytes has a window length
    // below zero, so its searches find nothing and the defaults are shown.
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "Cut short").padTo(31 + 193, 0x2E);
    file.text("FileVer").fill(40, 0x03);
    file.markerAndGap().text("sion").zero().text("2.0").zero().padTo(271 + 31 + 100, 0x04);
    file.marker().fill(12, 0x05);
    EXPECT_EQ(extract(file), kDefaults);
}

// A key that straddles the end of the first window is completed by the text of a second
// window; the next two tests use it to show which markers the scan sees.
const std::string kMarkerText = std::string("StringFileInfo") + '\0';

TEST(VersionStrings, MarkerInsideTheSkippedBytesIsNotSeen) {
    // Markers at 0 and 20: the second starts within the 30 skipped bytes. Were it seen, its
    // window (from byte 51) would complete "FileVer" at the end of the first window.
    VersionFileBuilder file;
    file.fill(300, 0x01).put(0, kMarkerText).put(20, kMarkerText);
    file.put(51, std::string("sion") + '\0' + "x" + '\0').put(224, "FileVer");
    EXPECT_EQ(extract(file), kDefaults);
}

TEST(VersionStrings, MarkerRightBehindTheSkippedBytesIsSeen) {
    // Markers at 0 and 31: the scan goes on at byte 31 and sees the second marker, whose
    // window (from byte 62) completes "FileVer" at the end of the first window.
    VersionFileBuilder file;
    file.fill(300, 0x01).put(0, kMarkerText).put(31, kMarkerText);
    file.put(62, std::string("sion") + '\0' + "v2" + '\0').put(224, "FileVer");
    EXPECT_EQ(extract(file), captions("", "", "v2"));
}

// Appends `count` markers whose windows hold 200 bytes of one letter each (A, B, ...).
std::string appendLetterWindows(VersionFileBuilder& file, int count) {
    std::string letters;
    for (int marker = 0; marker < count; ++marker) {
        const auto letter = static_cast<char>('A' + marker % 26);
        file.markerAndGap(0x01).fill(200, static_cast<uint8_t>(letter));
        letters += std::string(200, letter);
    }
    return letters;
}

TEST(VersionStrings, ValueRunningThroughManyWindowsIsGatheredWhole) {
    // The vendor's value starts right behind the first window and runs on through the
    // windows of forty further markers before its NUL comes: over 8,000 characters.
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "Long").padTo(31 + 188, 0x2E);
    file.text("CompanyName").text("=");
    ASSERT_EQ(file.size(), 31u + 200u);
    std::string expected = appendLetterWindows(file, 40);
    file.markerAndGap(0x01).fill(10, 0x5A).zero().fill(189, 0x01);
    expected += std::string(10, 'Z');
    const VersionCaptions result = extract(file);
    EXPECT_EQ(result.description, u"Long");
    EXPECT_EQ(result.vendor, u16(expected));
    EXPECT_EQ(result.version, kNA);
}

TEST(VersionStrings, ValueRunningToTheEndOfAHugeWindowText) {
    // As above but with no NUL at all: the value ends with the window text. (The file goes
    // on behind the last window.)
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "D").padTo(31 + 188, 0x2E);
    file.text("CompanyName").text("=");
    std::string expected = appendLetterWindows(file, 30);
    file.markerAndGap(0x01).fill(200, 0x62).fill(50, 0x63);
    expected += std::string(200, 'b');
    EXPECT_EQ(extract(file), captions("D", expected, "N/A"));
}

TEST(VersionStrings, VersionAtTheEndOfTheFirstWindowEndsTheScanWithAnEmptyValue) {
    // "FileVersion" fills window positions 189 to 199; its value would start at 201, past
    // the window text of the first marker, where the scan ends.
    VersionFileBuilder file;
    file.markerAndGap().entry("FileDescription", "D").padTo(31 + 188, 0x2E);
    file.text("FileVersion").text("=");
    appendLetterWindows(file, 3);
    EXPECT_EQ(extract(file), captions("D", "", ""));
}

} // namespace
} // namespace tolvane
