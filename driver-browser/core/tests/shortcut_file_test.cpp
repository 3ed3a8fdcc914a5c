// The desktop shortcut's bytes, its path and the thank-you message.
#include "shortcut_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

TEST(ShortcutFile, ContentsAreTwoCrLfLines) {
    const std::string contents(kShortcutContents, kShortcutSize);
    EXPECT_EQ(contents, "[InternetShortcut]\x0D\x0AURL=http://www.brisklow.example/\x0D\x0A");
    EXPECT_EQ(contents, std::string("[InternetShortcut]\r\nURL=") + kWebSiteAddress + "\r\n");
    EXPECT_EQ(kShortcutSize, 18u + 2u + 4u + 28u + 2u);
}

TEST(ShortcutFile, ThankYouBoxHasItsTitleStyleAndALoneCarriageReturn) {
    EXPECT_STREQ(kThankYouTitle, "Thank You!");
    EXPECT_EQ(kThankYouStyle, 4096u + 64u + 0u);
    const std::string text = kThankYouText;
    EXPECT_EQ(text, std::string("A link to our Website has been created on your desktop.") +
                        char(13) + "To access our page, siply double click the shorcut icon.");
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(ShortcutFile, PathIsJoinedAsTheStringsStand) {
    char buffer[64];
    EXPECT_EQ(shortcutPath("C:\\WINDOWS", '\\', buffer, sizeof buffer), 33u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\desktop\\Harrowmint.URL");
    EXPECT_EQ(shortcutPath("C:\\", '\\', buffer, sizeof buffer), 26u);
    EXPECT_STREQ(buffer, "C:\\\\desktop\\Harrowmint.URL") << "a root gives a doubled separator";
    EXPECT_EQ(shortcutPath("", '/', buffer, sizeof buffer), 23u);
    EXPECT_STREQ(buffer, "/desktop/Harrowmint.URL");
}

TEST(ShortcutFile, PathIsCutToTheBufferWithItsFullLengthReturned) {
    const std::string full = "C:\\WINDOWS\\desktop\\Harrowmint.URL";
    for (std::size_t capacity = 0; capacity <= full.size() + 2; ++capacity) {
        std::vector<char> buffer(capacity + 1, '#');
        EXPECT_EQ(shortcutPath("C:\\WINDOWS", '\\', buffer.data(), capacity), full.size());
        EXPECT_EQ(buffer[capacity], '#') << "written past capacity " << capacity;
        if (capacity > 0) {
            EXPECT_EQ(std::string(buffer.data()), full.substr(0, capacity - 1));
        }
    }
}

} // namespace
} // namespace tolvane
