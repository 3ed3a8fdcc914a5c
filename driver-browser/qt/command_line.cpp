#include "command_line.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace tolvane {

namespace {

// Qt's own options, as QGuiApplication and QApplication take them from the command line:
// those a value follows ("-style NAME" or "-style=NAME"), and those without one.
constexpr std::string_view kQtValueOptions[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "name",          "title",
    "style",           "stylesheet",         "qmljsdebugger"};
constexpr std::string_view kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb",
                                               "sync"};

template <std::size_t N>
bool listed(const std::string_view (&options)[N], std::string_view name) {
    return std::find(std::begin(options), std::end(options), name) != std::end(options);
}

constexpr char kUsage[] = "Usage: tolvane [--help | --version] [Qt options]\n";

} // namespace

CommandLine readCommandLine(int argc, const char* const* argv) {
    for (int n = 1; n < argc; ++n) {
        const char* argument = argv[n];
        if (std::strcmp(argument, "--help") == 0) {
            return CommandLine::Help;
        }
        if (std::strcmp(argument, "--version") == 0) {
            return CommandLine::Version;
        }
        // One of Qt's options, with one dash or two, and its value where it takes one.
        if (argument[0] != '-') {
            return CommandLine::Usage;
        }
        const std::string_view option = argument + (argument[1] == '-' ? 2 : 1);
        const std::size_t equals = option.find('=');
        const std::string_view name = option.substr(0, equals);
        if (listed(kQtValueOptions, name)) {
            if (equals == std::string_view::npos && ++n == argc) {
                return CommandLine::Usage; // its value is missing
            }
        } else if (!listed(kQtFlagOptions, name) || equals != std::string_view::npos) {
            return CommandLine::Usage;
        }
    }
    return CommandLine::Run;
}

int answerCommandLine(CommandLine request) {
    switch (request) {
    case CommandLine::Help:
        std::fputs(kUsage, stdout);
        std::fputs("Lists the driver files of a Windows system directory (on Linux, that of\n"
                   "the Wine prefix: $WINEPREFIX, else ~/.wine) and shows the description,\n"
                   "vendor and version stored in each one.\n"
                   "\n"
                   "  --help     print this text and exit\n"
                   "  --version  print the version and exit\n"
                   "\n"
                   "Qt's own options, such as -platform NAME or -style NAME, are accepted.\n"
                   "See tolvane(1).\n",
                   stdout);
        return 0;
    case CommandLine::Version:
        std::fputs("tolvane " TOLVANE_VERSION "\n", stdout);
        return 0;
    case CommandLine::Usage:
        std::fputs(kUsage, stderr);
        std::fputs("Try 'tolvane --help' for more information.\n", stderr);
        return 2;
    case CommandLine::Run:
        break;
    }
    return -1;
}

} // namespace tolvane
