// The program from its command line: --help and --version without a display, the usage for
// anything else, no display named or none that can be opened, and a relative WINEPREFIX.
// Runs the real tolvane (kTolvaneProgram); the Qt options' table is checked directly.
#include "command_line.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <initializer_list>
#include <vector>

// Where this build put tolvane and list_probe (a source CMake writes).
extern const char* const kTolvaneProgram;
extern const char* const kListProbe;

namespace {

struct Outcome {
    int status = -1;
    QByteArray out, err;
};

// Runs the program with arguments in an environment without any display, plus `extra`.
Outcome run(const QStringList& arguments,
            std::initializer_list<std::pair<QString, QString>> extra = {},
            const QString& directory = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WINEPREFIX"})
        environment.remove(name);
    for (const auto& [name, value] : extra)
        environment.insert(name, value);
    QProcess program;
    program.setProcessEnvironment(environment);
    if (!directory.isEmpty())
        program.setWorkingDirectory(directory);
    program.start(QString::fromUtf8(kTolvaneProgram), arguments);
    Outcome result;
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        ADD_FAILURE() << "the program did not end";
        return result;
    }
    result.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : 128;
    result.out = program.readAllStandardOutput();
    result.err = program.readAllStandardError();
    return result;
}

TEST(CommandLine, HelpAndVersionPrintAndEndWithoutADisplay) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: tolvane [--help | --version] [Qt options]\n"))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("  --version  print the version and exit\n"));
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const Outcome version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tolvane " TOLVANE_VERSION "\n");
    EXPECT_TRUE(version.err.isEmpty());
}

TEST(CommandLine, AnyOtherArgumentGivesTheUsageAndStatus2) {
    for (const QStringList& arguments : {QStringList{"--bogus"}, QStringList{"file.drv"}}) {
        const Outcome refused = run(arguments);
        EXPECT_EQ(refused.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(refused.out.isEmpty());
        EXPECT_TRUE(refused.err.startsWith("Usage: tolvane [--help | --version] [Qt options]\n"))
            << refused.err.toStdString();
    }
}

TEST(CommandLine, QtsOwnOptionsAreTakenWithTheirValues) {
    struct Case {
        std::vector<const char*> arguments;
        tolvane::CommandLine expected;
    };
    using tolvane::CommandLine;
    const Case cases[] = {
        {{}, CommandLine::Run},
        {{"-platform", "offscreen"}, CommandLine::Run},
        {{"--platform", "offscreen"}, CommandLine::Run},
        {{"-platform=offscreen", "-reverse", "-style", "Fusion"}, CommandLine::Run},
        {{"-stylesheet=a.qss", "-qwindowtitle", "--help"}, CommandLine::Run}, // a title
        {{"-style"}, CommandLine::Usage},
        {{"-reverse=1"}, CommandLine::Usage},
        {{"-platformx", "offscreen"}, CommandLine::Usage},
        {{"-"}, CommandLine::Usage},
        {{"--"}, CommandLine::Usage},
        {{"-h"}, CommandLine::Usage},
        {{"-platform", "offscreen", "extra"}, CommandLine::Usage},
        {{"-reverse", "--version", "--bogus"}, CommandLine::Version},
        {{"-platform", "offscreen", "--version"}, CommandLine::Version},
        {{"--help", "--bogus"}, CommandLine::Help},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"tolvane"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(tolvane::readCommandLine(static_cast<int>(argv.size()), argv.data()), c.expected)
            << (c.arguments.empty() ? "" : c.arguments[0]);
    }
}

TEST(CommandLine, ADisplayThatIsNotThereIsToldLikeNoDisplay) {
    const Outcome none = run({});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.startsWith("tolvane: no display found")) << none.err.toStdString();
    // A display name where no server listens: Qt would abort the program.
    const Outcome absent = run({}, {{"DISPLAY", ":987"}});
    EXPECT_EQ(absent.status, 1);
    EXPECT_EQ(absent.err, none.err);
    const Outcome platform = run({"-platform", "xcb"}, {{"DISPLAY", ":987"}});
    EXPECT_EQ(platform.status, 1);
    EXPECT_EQ(platform.err, none.err);
}

TEST(CommandLine, ARelativeWinePrefixIsTakenFromTheStartingDirectory) {
    // The splash window changes into the program's directory before the list is filled.
    QTemporaryDir start;
    ASSERT_TRUE(start.isValid());
    const QString system = start.path() + "/rel/prefix/drive_c/windows/system";
    ASSERT_TRUE(QDir().mkpath(system));
    QFile driver(system + "/found.drv");
    ASSERT_TRUE(driver.open(QIODevice::WriteOnly));
    driver.close();
    // A sanitizer's run-time must come first, which a preloaded library breaks: the probe
    // does not need its check.
    const QString asan = qEnvironmentVariable("ASAN_OPTIONS");
    const Outcome shown =
        run({"-platform", "offscreen"},
            {{"WINEPREFIX", "rel/prefix"},
             {"LD_PRELOAD", QString::fromUtf8(kListProbe)},
             {"ASAN_OPTIONS", asan + (asan.isEmpty() ? "" : ":") + "verify_asan_link_order=0"}},
            start.path());
    EXPECT_EQ(shown.status, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.out, "found.drv\n");
}

} // namespace
