// Where the browser looks for the Windows directory and, in a Wine prefix, the user's desktop.
#include "finishes_in_time.h"
#include "main_window.h"
#include "temporary_directory.h"
#include "windows_directory.h"
#include "wine_desktop.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace tolvane {
namespace {

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        if (old_) {
            ::setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

private:
    std::string name_;
    std::optional<std::string> old_;
};

// The prefix's Windows directory as GetwinDir reads it.
std::string windowsDirectory() {
    char buffer[kWinPathCapacity];
    return std::string(buffer, readWindowsDirectory(wineWindowsDirectory(), buffer, sizeof buffer));
}

TEST(WindowsDirectory, UsesTheWinePrefix) {
    ScopedEnvironment home("HOME", "/home/tester");
    ScopedEnvironment prefix("WINEPREFIX", "/opt/prefixes/win98");
    EXPECT_EQ(windowsDirectory(), "/opt/prefixes/win98/drive_c/windows");
}

TEST(WindowsDirectory, JoinsThePrefixAsItStands) {
    ScopedEnvironment home("HOME", "/home/tester");
    ScopedEnvironment prefix("WINEPREFIX", "/opt/prefix/");
    EXPECT_EQ(windowsDirectory(), "/opt/prefix//drive_c/windows");
}

TEST(WindowsDirectory, WithoutPrefixUsesTheHomeDirectory) {
    ScopedEnvironment home("HOME", "/home/tester");
    ScopedEnvironment prefix("WINEPREFIX", nullptr);
    EXPECT_EQ(windowsDirectory(), "/home/tester/.wine/drive_c/windows");
}

TEST(WindowsDirectory, EmptyPrefixCountsAsUnset) {
    ScopedEnvironment home("HOME", "/users/x");
    ScopedEnvironment prefix("WINEPREFIX", "");
    EXPECT_EQ(windowsDirectory(), "/users/x/.wine/drive_c/windows");
}

TEST(WindowsDirectory, WithoutHomeAsksTheUserDatabase) {
    ScopedEnvironment home("HOME", nullptr);
    ScopedEnvironment prefix("WINEPREFIX", nullptr);
    const std::string directory = windowsDirectory();
    const std::string suffix = "/.wine/drive_c/windows";
    ASSERT_GT(directory.size(), suffix.size());
    EXPECT_EQ(directory.substr(directory.size() - suffix.size()), suffix);
    EXPECT_EQ(directory[0], '/');
}

TEST(WineUserDesktop, TheRegistrysFolderExpandedAndMappedIntoThePrefix) {
    const std::string folders =
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\";
    const std::string user = folders + "User Shell Folders] 1\n\"Desktop\"=";
    const std::string shell = folders + "Shell Folders] 1\n#time=1dd87d886c60d98\n\"Desktop\"=";
    const struct Case {
        std::string userReg, systemReg, expected;
    } cases[] = {
        // As wineboot writes it: both keys, the user's with a variable.
        {shell + "\"C:\\\\users\\\\old\\\\Desktop\"\n" + user +
             "str(2):\"%USERPROFILE%\\\\Desktop\"\n" +
             "[Volatile Environment] 1\n\"USERPROFILE\"=\"C:\\\\users\\\\ana\"\n",
         "", "/drive_c/users/ana/Desktop"},
        // Variables of the other environment keys, an unknown one and a lone % left as they
        // stand, another drive, Windows-1252 text in UTF-8.
        {user + "str(2):\"%SystemDrive%\\\\%DESK%\\\\%NOPE%\\\\100%\\\\Jos\\xe9\\x20ac\"\n" +
             "[Environment] 1\n\"DESK\"=\"Desk\"\n",
         "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1\n"
         "\"SystemDrive\"=\"e:\"\n",
         "/dosdevices/e:/Desk/%NOPE%/100%/Jos\xC3\xA9\xE2\x82\xAC"},
        {user + "\"\\\\\\\\server\\\\ana\"\n", "", ""}, // not on a drive letter
        // A value of another type is no string: the other key's is taken. (How the files
        // are read is common/tests/wine_registry_test's.)
        {shell + R"("C:\\shell"
)" + user + R"(str(7):"C:\\multi"
)",
         "", "/drive_c/shell"},
    };
    for (const Case& c : cases) {
        const testing::TemporaryDirectory prefix;
        std::ofstream(prefix.file("user.reg")) << "WINE REGISTRY Version 2\n\n" << c.userReg;
        std::ofstream(prefix.file("system.reg")) << "WINE REGISTRY Version 2\n\n" << c.systemReg;
        EXPECT_EQ(wineUserDesktop(prefix.path()),
                  c.expected.empty() ? "" : prefix.path() + c.expected)
            << c.userReg;
    }
}

// A user.reg that is a FIFO nobody writes, or a link to /dev/zero, is no registry: no desktop,
// at once (it held the shortcut's click in open(), or read until memory ran out).
TEST(WineUserDesktop, ASpecialFileIsNoRegistry) {
    const testing::TemporaryDirectory prefix;
    const std::string user = prefix.file("user.reg");
    for (const char* kind : {"fifo", "/dev/zero"}) {
        std::remove(user.c_str());
        ASSERT_EQ(kind[0] == '/' ? ::symlink(kind, user.c_str()) : ::mkfifo(user.c_str(), 0600), 0);
        EXPECT_EQ(
            exit_status_within(10, [&] { return wineUserDesktop(prefix.path()).empty() ? 0 : 1; }),
            0)
            << kind;
    }
    std::remove(user.c_str());
}

} // namespace
} // namespace tolvane
