#include "scenario_table.h"

#include "../core/tests/version_file_builder.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace conformance {

namespace {

std::string decodeEscapes(const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
            bytes += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(decodeEscapes(word));
    return out;
}

// TEXT with every "{N*PART}" written out as N copies of PART (which may hold more).
std::string repeated(const std::string& text, size_t* at = nullptr) {
    size_t i = at != nullptr ? *at : 0;
    std::string out;
    for (; i < text.size() && !(at != nullptr && text[i] == '}'); ++i) {
        const size_t star = text.find('*', i);
        if (text[i] != '{' || star == std::string::npos) {
            out += text[i];
            continue;
        }
        const int count = std::stoi(text.substr(i + 1, star - i - 1));
        i = star + 1;
        const std::string part = repeated(text, &i);
        for (int n = 0; n < count; ++n)
            out += part;
    }
    if (at != nullptr)
        *at = i;
    return out;
}

// "version VENDOR|DESCRIPTION|VERSION" as a driver's version block ("-" leaves a key out),
// or "text BYTES" (where "{N*PART}" stands for N copies of PART).
bool contents(const std::string& described, std::string* bytes) {
    if (described.compare(0, 5, "text ") == 0) {
        *bytes = decodeEscapes(repeated(described.substr(5)));
        return true;
    }
    if (described.compare(0, 8, "version ") != 0)
        return false;
    std::vector<std::string> parts(1);
    for (char c : decodeEscapes(described.substr(8))) {
        if (c == '|')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 3)
        return false;
    tolvane::testing::VersionFileBuilder file;
    file.text("MZ leading bytes ").markerAndGap();
    const char* keys[] = {"CompanyName", "FileDescription", "FileVersion"};
    for (int i = 0; i < 3; ++i)
        if (parts[i] != "-")
            file.entry(keys[i], parts[i]);
    file.fill(64, 0);
    bytes->assign(file.bytes().begin(), file.bytes().end());
    return true;
}

bool layoutLine(const std::string& line, Entry* entry) {
    const size_t equals = line.find(" = ");
    const std::vector<std::string> w = words(line.substr(0, equals));
    if (w.size() < 2 || (w[0] != "file" && w[0] != "dir"))
        return false;
    entry->directory = w[0] == "dir";
    entry->path = w[1];
    for (size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "hidden") {
            entry->hidden = true;
        } else if (w[i] == "system") {
            entry->system = true;
        } else if (w[i] == "at" && i + 1 < w.size()) {
            const std::string& size = w[++i];
            size_t digits = 0;
            entry->at = std::stoull(size, &digits);
            const std::string unit = size.substr(digits);
            const int shift = unit.empty()  ? 0
                              : unit == "K" ? 10
                              : unit == "M" ? 20
                              : unit == "G" ? 30
                                            : -1;
            if (shift < 0)
                return false;
            entry->at <<= shift;
        } else {
            return false;
        }
    }
    return equals == std::string::npos || contents(line.substr(equals + 3), &entry->bytes);
}

} // namespace

bool readTable(const std::string& file, std::vector<Scenario>* scenarios, std::string* error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        *error = file + ": cannot be read";
        return false;
    }
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line[0] == '#' || line[0] == ' ')
            continue; // comments, and the expected state the adapters write themselves
        Entry entry;
        if (line.compare(0, 9, "scenario ") == 0) {
            scenarios->emplace_back();
            scenarios->back().header.push_back(line);
        } else if (scenarios->empty()) {
            *error = "line " + std::to_string(number) + ": no scenario before it";
            return false;
        } else if (layoutLine(line, &entry) && scenarios->back().steps.empty()) {
            scenarios->back().layout.push_back(entry);
            scenarios->back().header.push_back(line);
        } else if (line.compare(0, 5, "file ") == 0 || line.compare(0, 4, "dir ") == 0) {
            *error = "line " + std::to_string(number) + ": bad or late layout line";
            return false;
        } else {
            scenarios->back().steps.push_back({line, words(line)});
        }
    }
    return true;
}

std::string visible(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        size_t run = 1;
        while (i + run < text.size() && text[i + run] == c)
            ++run;
        if (run >= 20) { // as the table writes a long run: "{N*c}"
            out += "{" + std::to_string(run) + "*" + c + "}";
            i += run - 1;
        } else {
            out += c == '\r'   ? std::string("\\r")
                   : c == '\n' ? std::string("\\n")
                               : std::string(1, c);
        }
    }
    return out;
}

std::string treeEntry(const std::string& text, size_t rootIndent) {
    const size_t indent = std::min(text.find_first_not_of(' '), text.size());
    return std::string((indent - std::min(indent, rootIndent)) / 2, '>') + text.substr(indent);
}

namespace {

// The state as lines in a fixed order; "" for a line that is not there.
std::vector<std::string> stateLines(const State& s) {
    std::string list = "list:";
    for (size_t i = 0; i < s.list.size(); ++i)
        list += static_cast<int>(i) == s.selected ? " [" + s.list[i] + "]" : " " + s.list[i];
    std::string labels = "labels:";
    for (int i = 0; i < 4; ++i)
        labels += (i > 0 ? " |" : "") + (s.hidden[i]           ? " (hidden)"
                                         : s.labels[i].empty() ? ""
                                                               : " " + s.labels[i]);
    std::string dirs = "dirs:";
    for (size_t i = 0; i < s.dirs.size(); ++i)
        dirs += static_cast<int>(i) == s.openDir ? " [" + s.dirs[i] + "]" : " " + s.dirs[i];
    const auto optional = [](const char* name, const std::string& text) {
        return text.empty() ? std::string() : name + text;
    };
    // A line break in a message as the user sees it, however the text writes it.
    std::string message;
    for (size_t i = 0; i < s.message.size(); ++i) {
        if (s.message[i] == '\r' && i + 1 < s.message.size() && s.message[i + 1] == '\n')
            continue;
        message += s.message[i] == '\r' ? '\n' : s.message[i];
    }
    return {list,
            labels,
            "types: " + s.types,
            "newpath: " + s.newpath,
            "window: " + s.window,
            optional("message: ", message),
            optional("drive: ", s.drive),
            s.dirs.empty() ? std::string() : dirs};
}

} // namespace

Transcript::Transcript(const Scenario& scenario) : last_(stateLines(State())) {
    for (const std::string& line : scenario.header)
        text_ += line + "\n";
}

void Transcript::stepDone(const Step& step, const State& state, std::vector<std::string>* printed) {
    text_ += step.line + "\n";
    const std::vector<std::string> now = stateLines(state);
    for (size_t i = 0; i < now.size(); ++i)
        if (!now[i].empty() && (i >= last_.size() || now[i] != last_[i]))
            text_ += "  " + visible(now[i]) + "\n";
    for (const std::string& line : *printed)
        text_ += "  " + visible(line) + "\n";
    printed->clear();
    last_ = now;
}

std::string twipsPlace(int left, int top, int width, int height) {
    return std::to_string(left * 15) + " " + std::to_string(top * 15) + " " +
           std::to_string(width * 15) + "x" + std::to_string(height * 15);
}

std::string fontText(const std::string& face, int centipoints, bool italic, bool bold) {
    std::string size = std::to_string(centipoints / 100);
    if (centipoints % 100 != 0)
        size += "." + std::to_string(centipoints % 100 / 10) +
                (centipoints % 10 != 0 ? std::to_string(centipoints % 10) : "");
    return face + " " + size + (italic ? " italic" : "") + (bold ? " bold" : "");
}

bool writeText(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

namespace {

// A path of the table as the platform names it. On Windows, a path in UTF-8 becomes the ANSI
// code page's (the bytes of \xNN escapes already are); on Linux the bytes stay as they are,
// so that UTF-8 gives names as Wine writes them and escapes names that are not UTF-8.
std::string platformName(const std::string& path) {
#ifdef _WIN32
    const int size = static_cast<int>(path.size());
    const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, NULL, 0);
    if (wide <= 0)
        return path;
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), size, &text[0], wide);
    std::string ansi(static_cast<size_t>(wide) * 2, '\0');
    ansi.resize(static_cast<size_t>(WideCharToMultiByte(
        CP_ACP, 0, text.data(), wide, &ansi[0], static_cast<int>(ansi.size()), NULL, NULL)));
    return ansi;
#else
    return path;
#endif
}

// Writes bytes into a new file at offset at; the bytes before it are a hole.
bool writeAt(const std::string& path, unsigned long long at, const std::string& bytes) {
#ifdef _WIN32
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LONG high = static_cast<LONG>(at >> 32);
    DWORD written = 0;
    const bool ok =
        (SetFilePointer(file, static_cast<LONG>(at & 0xFFFFFFFFu), &high, FILE_BEGIN) !=
             INVALID_SET_FILE_POINTER ||
         GetLastError() == NO_ERROR) &&
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL) &&
        written == bytes.size();
    return CloseHandle(file) && ok;
#else
    std::ofstream out(path, std::ios::binary);
    out.seekp(static_cast<std::streamoff>(at));
    return static_cast<bool>(out << bytes);
#endif
}

} // namespace

std::string Layout::native(const std::string& path) const {
    std::string out = root_;
    out += separator_;
    for (char c : platformName(path))
        out += c == '/' ? separator_ : c;
    return out;
}

bool Layout::make(const std::vector<Entry>& entries, std::string* error) {
    for (const Entry& e : entries) {
        const std::string path = native(e.path);
#ifdef _WIN32
        const DWORD was = GetFileAttributesA(path.c_str());
        if (e.directory && was != INVALID_FILE_ATTRIBUTES && (was & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue; // there already: not the layout's to remove
        bool ok = e.directory ? CreateDirectoryA(path.c_str(), NULL) != FALSE
                              : writeAt(path, e.at, e.bytes);
        const DWORD attributes =
            (e.hidden ? FILE_ATTRIBUTE_HIDDEN : 0) | (e.system ? FILE_ATTRIBUTE_SYSTEM : 0);
        if (ok && attributes != 0)
            ok = SetFileAttributesA(path.c_str(), attributes) != FALSE;
#else
        struct stat was {};
        if (e.directory && ::stat(path.c_str(), &was) == 0 && S_ISDIR(was.st_mode))
            continue; // there already: not the layout's to remove
        bool ok = e.directory ? ::mkdir(path.c_str(), 0755) == 0 : writeAt(path, e.at, e.bytes);
        // The attributes as Wine keeps them on a Linux file system.
        const std::string attributes =
            "0x" + std::to_string((e.hidden ? 2 : 0) | (e.system ? 4 : 0));
        if (ok && (e.hidden || e.system))
            ok = ::setxattr(path.c_str(), "user.DOSATTRIB", attributes.data(), attributes.size(),
                            0) == 0;
#endif
        if (!ok) {
            *error = "cannot lay out " + path;
            return false;
        }
        made_.push_back(e);
    }
    return true;
}

namespace {
bool removeOne(const std::string& file) {
#ifdef _WIN32
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(file.c_str()) != FALSE || RemoveDirectoryA(file.c_str()) != FALSE;
#else
    return ::unlink(file.c_str()) == 0 || ::rmdir(file.c_str()) == 0;
#endif
}
} // namespace

bool Layout::remove(const std::string& path) {
    for (size_t i = made_.size(); i-- > 0;) {
        const Entry& e = made_[i];
        if (e.path.compare(0, path.size() + 1, path + "/") == 0)
            removeOne(native(e.path));
        if (e.path == path || e.path.compare(0, path.size() + 1, path + "/") == 0)
            made_.erase(made_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return removeOne(native(path));
}

bool Layout::fileStep(const Step& step, std::vector<std::string>* shown) {
    if (step.args.size() != 2)
        return false;
    if (step.args[0] == "delete") {
        remove(step.args[1]);
    } else if (step.args[0] == "read") {
        std::ifstream in(native(step.args[1]), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        shown->push_back("file: " + (in ? bytes.str() : std::string("(none)")));
    } else if (step.args[0] == "mkdir") {
        Entry dir;
        dir.directory = true;
        dir.path = step.args[1];
        std::string ignored;
        make({dir}, &ignored);
    } else {
        return false;
    }
    return true;
}

Layout::~Layout() {
    while (!made_.empty()) {
        const std::string top = made_.front().path; // remove() erases the entry
        remove(top);
    }
}

} // namespace conformance
