// The conformance table both front-ends play: scenarios read from a text file, the
// directory each lays out on disk, and the observable state written after every step.
//
// Table lines (comments start with '#' in the first column; blank lines are ignored):
//   scenario TITLE                      starts a scenario
//   file PATH [hidden] [system] [at SIZE] [= version VENDOR|DESCRIPTION|VERSION | = text BYTES]
//   dir PATH                            laid out before the first step, PATH below drive C
//   VERB ARGS...                        a user action (the adapters know the verbs)
//     NAME: VALUE                       indented: what the step changed in the state
// PATH and BYTES take \xNN for 8-bit bytes of the ANSI code page; a version part "-" leaves
// that key out. A PATH written in UTF-8 names its file as Wine does on Linux (in UTF-8); one
// with \xNN bytes is not UTF-8 there, as a name copied from old media. "at SIZE" (a number of
// bytes, or of KiB, MiB or GiB with K, M or G behind it) puts the contents that far into the
// file, behind a hole of zero bytes that takes no disk. The adapters write every line but the
// indented ones back as they read them, and after each step the state lines that differ from
// the state before it (a line that goes away is not written); that
// text must equal the table.
#pragma once

#include <string>
#include <vector>

namespace conformance {

struct Entry {
    bool directory = false;
    bool hidden = false;
    bool system = false;
    std::string path;          // bytes, '/' between components, relative to drive C's root
    std::string bytes;         // a file's contents
    unsigned long long at = 0; // where they begin
};

struct Step {
    std::string line;              // as written in the table
    std::vector<std::string> args; // args[0] is the verb, \xNN decoded
};

struct Scenario {
    std::vector<std::string> header; // the scenario line and its layout lines
    std::vector<Entry> layout;
    std::vector<Step> steps;
};

// False with *error set (line number and why) when the table cannot be read.
bool readTable(const std::string& file, std::vector<Scenario>* scenarios, std::string* error);

// What a user sees after a step. Texts are UTF-8; paths as Windows writes them ("C:\a").
struct State {
    std::vector<std::string> list; // DrvListBox's entries
    int selected = -1;
    std::string labels[4]; // FileNamelbl, Descrlbl, Vendorlbl, Versionlbl
    bool hidden[4] = {};   // which of them are hidden
    std::string types;     // the File Types item that carries the check mark
    std::string newpath;
    std::string window;  // the window that takes input, then its focused control
    std::string message; // the text of the message box taking input, if any
    // While Select Path is open: Drive1's drive ("C:"), Dir1's entries (treeEntry) and the
    // highlighted one.
    std::string drive;
    std::vector<std::string> dirs;
    int openDir = -1;
};

// An entry of Dir1 as the state shows it: one '>' per level of indentation below the
// drive's root (whose entry is indented rootIndent spaces), then the name.
std::string treeEntry(const std::string& text, size_t rootIndent);

// Drive C's root as a native path, and the scenario's files and directories below it.
class Layout {
public:
    Layout(std::string root, char separator) : root_(std::move(root)), separator_(separator) {}
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;
    ~Layout(); // removes what it made, deepest first

    bool make(const std::vector<Entry>& entries, std::string* error);
    // Removes PATH (relative, '/'-separated) and everything the layout made below it.
    bool remove(const std::string& path);
    std::string native(const std::string& path) const;
    // Carries out the file system's steps: "delete PATH", "mkdir PATH", and "read PATH",
    // which adds the file's bytes to *shown. False for the other steps.
    bool fileStep(const Step& step, std::vector<std::string>* shown);

private:
    std::string root_;
    char separator_;
    std::vector<Entry> made_;
};

// One scenario's text as a front-end played it.
class Transcript {
public:
    explicit Transcript(const Scenario& scenario);
    // After a step: its line, what it changed, then the lines it printed or read (emptied).
    void stepDone(const Step& step, const State& state, std::vector<std::string>* printed);
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::vector<std::string> last_;
};

// Text as a state line shows it: CR and LF as \r and \n, a run of 20 or more of one
// character as {N*c}.
std::string visible(const std::string& text);

// What "define" writes of a window and its controls: a place (in pixels) as "LEFT TOP
// WIDTHxHEIGHT" in twips, and a font as its face, its size in points and "italic" or
// "bold" when it is.
std::string twipsPlace(int left, int top, int width, int height);
std::string fontText(const std::string& face, int centipoints, bool italic, bool bold);

// Writes all transcripts to `file`; false when it cannot.
bool writeText(const std::string& file, const std::string& text);

} // namespace conformance
