// The desktop shortcut's bytes, its path, the folder it goes to and the thank-you message.
#include "shortcut_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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

// A platform whose existing folders and user desktop the case names.
struct Platform {
    std::vector<std::string> folders;
    const char* user; // null: the platform names no user desktop
    static bool exists(void* context, const char* path) {
        const auto& folders = static_cast<Platform*>(context)->folders;
        return std::find(folders.begin(), folders.end(), path) != folders.end();
    }
    static bool userDesktop(void* context, char* buffer, std::size_t capacity) {
        const char* user = static_cast<Platform*>(context)->user;
        return user && std::snprintf(buffer, capacity, "%s", user) < static_cast<int>(capacity);
    }
    DesktopFolders seam() { return {this, &exists, &userDesktop}; }
};

TEST(ShortcutPlace, TheWindowsDesktopFirstThenTheUsersThenNowhereNamingTheLastTried) {
    const std::string win = "C:\\WINDOWS\\desktop", root = "C:\\\\desktop",
                      file = "\\Harrowmint.URL";
    const std::string user = "C:\\Users\\Ana\\Desktop",
                      longer = "C:\\Users\\Anastasia-Maria-Konstantina\\Desktop";
    using P = ShortcutPlace;
    const struct Case {
        const char* winPath;
        std::vector<std::string> folders;
        const char* named; // the user's desktop the platform names
        P place;
        std::string path;
    } cases[] = {
        {"C:\\WINDOWS", {win, user}, user.c_str(), P::WindowsDesktop, win + file},
        {"C:\\", {root}, nullptr, P::WindowsDesktop, root + file},
        {"C:\\WINDOWS", {user}, user.c_str(), P::UserDesktop, user + file},
        {"C:\\WINDOWS", {}, user.c_str(), P::Nowhere, user + file},
        {"C:\\WINDOWS", {user}, nullptr, P::Nowhere, win + file},
        // A Windows directory, or a user's desktop, too long for the buffer counts as none.
        {"C:\\A-FOLDER-NAME-TOO-LONG-FOR-THE-BUFFER",
         {user},
         user.c_str(),
         P::UserDesktop,
         user + file},
        {"C:\\WINDOWS", {longer}, longer.c_str(), P::Nowhere, (longer + file).substr(0, 47)},
    };
    for (const Case& c : cases) {
        Platform platform{c.folders, c.named};
        char buffer[48];
        EXPECT_EQ(placeShortcut(c.winPath, '\\', platform.seam(), buffer, sizeof buffer), c.place)
            << c.winPath << " with " << c.folders.size() << " folders";
        EXPECT_EQ(buffer, c.path) << c.winPath;
    }
}

} // namespace
} // namespace tolvane
