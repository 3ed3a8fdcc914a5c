#include "demo_drivers.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace tolvane::demo {

namespace {

using Bytes = std::vector<unsigned char>;

void append(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// The start of a 16-bit executable and some code-like filler, the same on every run.
Bytes executableStart(std::size_t fillerSize, uint32_t seed) {
    Bytes bytes = {'M', 'Z', 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00};
    bytes.resize(64, 0);
    append(bytes, "This program requires Microsoft Windows.\r\n$");
    uint32_t state = seed * 2654435761u + 12345u;
    for (std::size_t n = 0; n < fillerSize; ++n) {
        state = state * 1103515245u + 12345u;
        bytes.push_back(static_cast<unsigned char>(state >> 16));
    }
    return bytes;
}

struct VersionEntry {
    std::string key;
    std::string value;
};

// The 8-bit version block: the marker, the 16 bytes up to the first key (a language and
// code-page block name, as version resources have), then key, NUL, value, NUL for each
// entry, and a few bytes of padding.
void appendVersionBlock(Bytes& bytes, const std::vector<VersionEntry>& entries) {
    append(bytes, std::string("StringFileInfo") + '\0');
    append(bytes, std::string("\x74\x01\x00\x00", 4) + "040904E4" + std::string(4, '\0'));
    for (const VersionEntry& entry : entries) {
        append(bytes, entry.key + '\0' + entry.value + '\0');
        bytes.push_back(0); // word alignment padding, as resource compilers write it
    }
    bytes.insert(bytes.end(), 32, 0);
}

// The three keys the browser shows, in the usual order.
std::vector<VersionEntry> usual(const char* company, const char* description, const char* version) {
    return {{"CompanyName", company}, {"FileDescription", description}, {"FileVersion", version}};
}

SampleDriver driver(const std::string& name, uint32_t seed,
                    const std::vector<VersionEntry>& entries) {
    SampleDriver sample{name, executableStart(1500 + 97 * seed, seed)};
    appendVersionBlock(sample.contents, entries);
    const Bytes tail = executableStart(200, seed + 1000);
    sample.contents.insert(sample.contents.end(), tail.begin() + 64, tail.end());
    return sample;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw fs::filesystem_error("cannot write", path, std::make_error_code(std::errc::io_error));
    }
}

std::vector<fs::path> drv16Files(const fs::path& dir) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".drv16" && it->is_regular_file(error)) {
            found.push_back(it->path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

std::vector<SampleDriver> sampleDrivers() {
    std::vector<SampleDriver> drivers = {
        driver("VGA.DRV", 1,
               {{"CompanyName", "Quorrel Display Works"},
                {"FileDescription", "VGA display driver"},
                {"FileVersion", "3.10.103"},
                {"LegalCopyright", "Copyright \xA9 Quorrel Display Works 1994"}}),
        driver(
            "SVGA256.DRV", 2,
            usual("Quorrel Display Works", "Quorrel\xAE Super VGA 256-colour driver", "4.00.950")),
        driver("msmouse.drv", 3,
               usual("Pindlewick Input Devices", "Two-button serial mouse driver", "8.20")),
        driver("Kbdenh.Drv", 4,
               usual("Pindlewick Input Devices", "Enhanced 102-key keyboard driver", "3.11")),
        driver("SNDBLAST.DRV", 5,
               usual("Ambrett Sound Labs", "Ambrett\x99 wave and MIDI sound driver", "2.01.007")),
        driver("midimap.drv", 6,
               {{"FileDescription", "MIDI mapper \x96 patch and key maps"},
                {"CompanyName", "Ambrett Sound Labs"},
                {"FileVersion", "1.30"}}),
        driver("SERIALX.DRV", 7,
               usual("Halvering Serial Systems", "Serial and parallel port driver", "3.10.0.103")),
        driver("timer.drv", 8,
               {{"CompanyName", "Merrowdale Power Systems"},
                {"FileDescription", "System timer driver (no version given)"}}),
        driver("lanman.dll", 9,
               usual("Ostrevel Networking", "Network support library \xA9 1996", "4.00")),
        driver(
            "PRNTSPL.DLL", 10,
            usual("Cardewin Printer Company", "Print spooler for the Cardewin\xAE range", "2.5")),
        driver("CDROM.VXD", 11, usual("Tessaly Storage", "CD-ROM file system driver", "4.00.1111")),
        driver("vnetbios.vxd", 12,
               usual("Ostrevel Networking", "Virtual NetBIOS device \x96 r\xE9seau", "4.10")),
    };

    // Without any version information.
    drivers.push_back(SampleDriver{"OLDTIMER.DRV", executableStart(3000, 13)});
    // Version strings stored as 16-bit characters only: not shown by the browser.
    SampleDriver wide{"unicode.drv", executableStart(1200, 14)};
    for (const std::string& text :
         {std::string("StringFileInfo"), std::string("040904B0"), std::string("CompanyName"),
          std::string("Quorrel Display Works"), std::string("FileVersion"), std::string("5.0")}) {
        for (const char c : text) {
            wide.contents.push_back(static_cast<unsigned char>(c));
            wide.contents.push_back(0);
        }
        wide.contents.push_back(0);
        wide.contents.push_back(0);
    }
    drivers.push_back(std::move(wide));
    // An empty file.
    drivers.push_back(SampleDriver{"EMPTY.DRV", {}});
    return drivers;
}

std::vector<std::string> writeDemoWindowsDirectory(const std::string& root,
                                                   const std::string& wineLibDir) {
    const fs::path windows = fs::path(root) / "drive_c" / "windows";
    const fs::path system = windows / "system";
    fs::create_directories(system);
    fs::create_directories(windows / "desktop");

    std::vector<std::string> written;
    std::set<std::string> taken; // the names written, in lower case
    for (const SampleDriver& sample : sampleDrivers()) {
        writeFile(system / sample.name, sample.contents);
        written.push_back(sample.name);
        taken.insert(lower(sample.name));
    }

    std::vector<fs::path> wine;
    if (!wineLibDir.empty()) {
        wine = drv16Files(wineLibDir);
    } else {
        // Where Wine keeps its 16-bit driver modules (*.drv16), in the order they are tried.
        for (const char* candidate :
             {"/usr/lib/i386-linux-gnu/wine/i386-windows",
              "/usr/lib/x86_64-linux-gnu/wine/i386-windows", "/usr/lib/wine/i386-windows",
              "/usr/lib32/wine/i386-windows", "/usr/lib/wine"}) {
            wine = drv16Files(candidate);
            if (!wine.empty()) {
                break;
            }
        }
    }
    for (const fs::path& module : wine) {
        const std::string name = module.stem().string() + ".drv";
        if (taken.insert(lower(name)).second) {
            fs::copy_file(module, system / name, fs::copy_options::overwrite_existing);
            written.push_back(name);
        }
    }
    return written;
}

} // namespace tolvane::demo
