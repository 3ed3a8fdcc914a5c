// Where the browser looks for the Windows directory.
#include "windows_directory.h"

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

} // namespace
} // namespace tolvane
