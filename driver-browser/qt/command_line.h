// Tolvane's command line. The program takes no options that change what it does: only
// --help and --version, which print and end it at once without a display, and the options
// Qt takes for itself (-platform NAME, -style NAME, ...).
#pragma once

namespace tolvane {

enum class CommandLine {
    Run,     // no argument but Qt's own
    Help,    // --help came first
    Version, // --version came first
    Usage,   // an argument that is neither: the usage on standard error, exit status 2
};

// What argv[1 .. argc) asks for, read from the left: the first --help or --version decides,
// an argument that is neither of them nor one of Qt's options (with its value) gives Usage.
CommandLine readCommandLine(int argc, const char* const* argv);

// Prints what Help, Version and Usage print and returns the exit status (0, 0, 2); Run prints
// nothing and gives -1.
int answerCommandLine(CommandLine request);

} // namespace tolvane
