// The desktop shortcut: the folder it goes to, its bytes, and what the user is told.
#include "path_text.h"
#include "shortcut_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// The existing folders and the user desktop a case names.
struct Folders {
    std::vector<std::string> folders;
    const char* user; // null: the platform names no user desktop
    static bool exists(void* context, const char* path) {
        const auto& folders = static_cast<Folders*>(context)->folders;
        return std::find(folders.begin(), folders.end(), path) != folders.end();
    }
    static bool userDesktop(void* context, char* buffer, std::size_t capacity) {
        const char* user = static_cast<Folders*>(context)->user;
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
        {"", {"\\desktop"}, nullptr, P::WindowsDesktop, "\\desktop" + file}, // no WinPath
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
        Folders platform{c.folders, c.named};
        char buffer[48];
        EXPECT_EQ(placeShortcut(c.winPath, '\\', platform.seam(), buffer, sizeof buffer), c.place)
            << c.winPath << " with " << c.folders.size() << " folders";
        EXPECT_EQ(buffer, c.path) << c.winPath;
    }
}

// The shortcut operation over a platform whose Windows directory has its "desktop" folder
// (or none), recording what it writes and tells.
struct ShortcutPlatform {
    Folders folders;
    bool writes = true;
    bool memoryRunsOut = false;
    std::vector<std::string> log{};
    std::string memory{};
    ShortcutSeam seam() {
        ShortcutSeam s{};
        s.context = this;
        s.folders = folders.seam();
        s.write = [](void* c, const char* path, const char* bytes, std::size_t size, char* reason) {
            auto* p = static_cast<ShortcutPlatform*>(c);
            p->log.push_back(std::string("write ") + path + " " + std::string(bytes, size));
            std::snprintf(reason, kReasonCapacity, "%s", "Read-only file system");
            return p->writes;
        };
        s.memory = [](void* c, std::size_t size) -> char* {
            auto* p = static_cast<ShortcutPlatform*>(c);
            p->memory.assign(size, '#');
            return p->memoryRunsOut ? nullptr : p->memory.data();
        };
        s.tell = [](void* c, const char* title, const char* text, unsigned style) {
            static_cast<ShortcutPlatform*>(c)->log.push_back(std::string(title) + " | " + text +
                                                             " | " + std::to_string(style));
        };
        return s;
    }
};

TEST(Shortcut, AClickWritesTheTwoLinesAndThanks) {
    const std::string sep(1, kPathSeparator);
    const std::string file = "C:" + sep + "desktop" + sep + "Harrowmint.URL";
    ShortcutPlatform platform{{{"C:" + sep + "desktop"}, nullptr}};
    createDesktopShortcut(platform.seam(), "C:");
    createDesktopShortcut(platform.seam(), "C:"); // the same file and bytes again
    const std::string written =
        "write " + file + " [InternetShortcut]\x0D\x0AURL=http://www.brisklow.example/\x0D\x0A";
    const std::string thanks = "Thank You! | A link to our Website has been created on your "
                               "desktop.\rTo access our page, siply double click the shorcut "
                               "icon. | 4160";
    EXPECT_EQ(platform.log, (std::vector<std::string>{written, thanks, written, thanks}));
}

TEST(Shortcut, AFailedWriteTellsWhatWhereAndWhyAndDoesNotThank) {
    const std::string sep(1, kPathSeparator);
    ShortcutPlatform platform{{{}, nullptr}, false};
    createDesktopShortcut(platform.seam(), "W");
    ASSERT_EQ(platform.log.size(), 2u);
    EXPECT_EQ(platform.log[1], "Tolvane | The shortcut to our Website could not be created.\n\n"
                               "File: W" +
                                   sep + "desktop" + sep +
                                   "Harrowmint.URL\n"
                                   "Reason: Read-only file system | 48");

    ShortcutPlatform noMemory{{{"W" + sep + "desktop"}, nullptr}};
    noMemory.memoryRunsOut = true;
    createDesktopShortcut(noMemory.seam(), "W");
    EXPECT_EQ(noMemory.log,
              (std::vector<std::string>{
                  "Tolvane | The shortcut to our Website could not be created. | 48"}));
}

} // namespace
} // namespace tolvane
