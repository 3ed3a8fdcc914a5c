// Where the browser looks for the Windows directory and, in a Wine prefix, the user's desktop.
#include "temporary_directory.h"
#include "windows_directory.h"
#include "wine_desktop.h"

#include <gtest/gtest.h>

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

TEST(WindowsDirectory, SeparatorIsTheSlash) {
    EXPECT_STREQ(pathSeparator(), "/");
}

TEST(WineUserDesktop, TheRegistrysFolderExpandedAndMappedIntoThePrefix) {
    const std::string head = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S\n\n";
    const std::string explorer =
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\";
    const std::string user = explorer + "User Shell Folders] 1796819193\n";
    const std::string shell = explorer + "Shell Folders] 1796819193\n#time=1dd87d886c60d98\n";
    const std::string environment =
        "[Volatile Environment] 1\n\"USERPROFILE\"=\"C:\\\\users\\\\ana\"\n"
        "[Environment] 1\n\"DESK\"=\"Desk\"\n";
    const struct Case {
        std::string userReg, systemReg, expected;
    } cases[] = {
        // As wineboot writes it: both keys, the user's with a variable.
        {shell + "\"Desktop\"=\"C:\\\\users\\\\old\\\\Desktop\"\n" + user +
             "\"Desktop\"=str(2):\"%USERPROFILE%\\\\Desktop\"\n" + environment,
         "", "/drive_c/users/ana/Desktop"},
        {shell + "\"Desktop\"=\"d:\\\\Ana\\\\Escritorio\"\n", "", "/dosdevices/d:/Ana/Escritorio"},
        // Variables of each environment key; an unknown one, and a lone %, stay as they stand.
        {user + "\"Desktop\"=str(2):\"%SystemDrive%\\\\%DESK%\\\\%NOPE%\\\\100%\"\n" + environment,
         "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1\n"
         "\"SystemDrive\"=\"E:\"\n",
         "/dosdevices/e:/Desk/%NOPE%/100%"},
        // Windows-1252 text in UTF-8; a folder not on a drive letter; no Desktop value.
        {user + "\"Desktop\"=\"C:\\\\Jos\\xe9\\\\\\x20ac\"\n", "",
         "/drive_c/Jos\xC3\xA9/\xE2\x82\xAC"},
        {user + "\"Desktop\"=\"\\\\\\\\server\\\\ana\"\n", "", ""},
        {user + "\"Documents\"=\"C:\\\\users\\\\ana\\\\Documents\"\n", "", ""},
    };
    for (const Case& c : cases) {
        const testing::TemporaryDirectory prefix;
        ASSERT_TRUE(prefix.valid());
        prefix.write("user.reg", std::vector<uint8_t>(head.begin(), head.end()));
        std::ofstream(prefix.file("user.reg"), std::ios::app) << c.userReg;
        std::ofstream(prefix.file("system.reg")) << head << c.systemReg;
        const std::string found = wineUserDesktop(prefix.path());
        EXPECT_EQ(found, c.expected.empty() ? "" : prefix.path() + c.expected) << c.userReg;
    }
}

} // namespace
} // namespace tolvane
