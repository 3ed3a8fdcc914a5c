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

// A platform whose existing folders and user desktop the case names; it records what it is
// asked.
struct Platform {
    std::vector<std::string> folders, asked;
    const char* user; // null: the platform names no user desktop
    static bool exists(void* context, const char* path) {
        auto* p = static_cast<Platform*>(context);
        p->asked.push_back(path);
        return std::find(p->folders.begin(), p->folders.end(), path) != p->folders.end();
    }
    static bool userDesktop(void* context, char* buffer, std::size_t capacity) {
        const char* user = static_cast<Platform*>(context)->user;
        return user && std::snprintf(buffer, capacity, "%s", user) < static_cast<int>(capacity);
    }
    DesktopFolders seam() { return {this, &exists, &userDesktop}; }
};

TEST(ShortcutPlace, TheWindowsDesktopFirstThenTheUsersThenNowhereNamingTheLastTried) {
    const std::string win = "C:\\WINDOWS\\desktop", root = "C:\\\\desktop";
    const std::string user = "C:\\Users\\Ana\\Desktop", file = "\\Harrowmint.URL";
    using P = ShortcutPlace;
    using Strings = std::vector<std::string>;
    const struct Case {
        const char* winPath;
        Strings folders;
        bool userNamed;
        P place;
        std::string path;
        Strings asked;
    } cases[] = {
        {"C:\\WINDOWS", {win, user}, true, P::WindowsDesktop, win + file, {win}},
        {"C:\\", {root}, false, P::WindowsDesktop, root + file, {root}},
        {"C:\\WINDOWS", {user}, true, P::UserDesktop, user + file, {win, user}},
        {"C:\\WINDOWS", {}, true, P::Nowhere, user + file, {win, user}},
        {"C:\\WINDOWS", {user}, false, P::Nowhere, win + file, {win}},
        // A Windows directory too long for the buffer is not tried.
        {"C:\\A-FOLDER-NAME-TOO-LONG-FOR-THE-BUFFER", {}, true, P::Nowhere, user + file, {user}},
    };
    for (const Case& c : cases) {
        Platform platform{c.folders, {}, c.userNamed ? user.c_str() : nullptr};
        char buffer[56];
        EXPECT_EQ(placeShortcut(c.winPath, '\\', platform.seam(), buffer, sizeof buffer), c.place)
            << c.winPath << " with " << c.folders.size() << " folders";
        EXPECT_EQ(buffer, c.path) << c.winPath;
        EXPECT_EQ(platform.asked, c.asked) << c.winPath;
    }
    // A user desktop whose file does not fit is not used either.
    Platform platform{{user}, {}, user.c_str()};
    char small[30];
    EXPECT_EQ(placeShortcut("C:\\WINDOWS", '\\', platform.seam(), small, sizeof small), P::Nowhere);
}

} // namespace
} // namespace tolvane
