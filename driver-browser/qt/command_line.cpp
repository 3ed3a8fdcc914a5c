#include "command_line.h"

#include <cstdio>
#include <cstring>

namespace tolvane {

namespace {

// Qt's own options, as QGuiApplication and QApplication take them from the command line
// (with one dash or two), and whether a value follows ("-style NAME" or "-style=NAME").
struct QtOption {
    const char* name;
    bool value;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"name", true},
    {"title", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
};

// The Qt option `argument` names, or null.
const QtOption* qtOption(const char* argument, bool* withValue) {
    if (argument[0] != '-') {
        return nullptr;
    }
    const char* name = argument + (argument[1] == '-' ? 2 : 1);
    const char* equals = std::strchr(name, '=');
    const std::size_t length = equals ? static_cast<std::size_t>(equals - name) : std::strlen(name);
    for (const QtOption& option : kQtOptions) {
        if (std::strlen(option.name) == length && std::strncmp(option.name, name, length) == 0) {
            *withValue = equals != nullptr;
            return equals == nullptr || option.value ? &option : nullptr;
        }
    }
    return nullptr;
}

constexpr char kUsage[] = "usage: tolvane [--help | --version] [Qt options]\n";

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
        bool withValue = false;
        const QtOption* option = qtOption(argument, &withValue);
        if (option == nullptr) {
            return CommandLine::Usage;
        }
        if (option->value && !withValue && ++n == argc) {
            return CommandLine::Usage; // its value is missing
        }
    }
    return CommandLine::Run;
}

int answerCommandLine(CommandLine request) {
    switch (request) {
    case CommandLine::Help:
        std::fputs("Usage: tolvane [--help | --version] [Qt options]\n"
                   "Lists the driver files of a Windows system directory (on Linux, that of\n"
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
