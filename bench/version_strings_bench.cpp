// Speed of the driver browser's version-string search on real files.
//
//   version_strings_bench [--repeat N] [--quiet] FILE...
//       (every FILE must be a regular file: a FIFO or a device is refused, not waited on)
//       prints each file's captions as the main window shows them (description, vendor,
//       version; tab-separated, UTF-8), then the time per file and the throughput.
//   version_strings_bench --make-big PATH [MIB]
//       writes a file of MIB MiB (default 256) of pseudo-random bytes with a version
//       block 4 KiB before its end.
//   version_strings_bench --make-dir DIR [COUNT [MIB]]
//       writes COUNT files (default 1000) of MIB MiB (default 1) into DIR, each with a
//       version block near its end.
#include "ansi_codepage.h"
#include "version_strings.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Pseudo-random filler (xorshift), the same on every run.
void fillRandom(std::vector<uint8_t>& bytes, uint64_t seed) {
    uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
    for (std::size_t n = 0; n < bytes.size(); n += 8) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        for (std::size_t b = 0; b < 8 && n + b < bytes.size(); ++b) {
            bytes[n + b] = static_cast<uint8_t>(state >> (8 * b));
        }
    }
}

void putVersionBlock(std::vector<uint8_t>& bytes, std::size_t at, const std::string& version) {
    std::string block("StringFileInfo\0", 15);
    block += std::string(16, '\x01');
    for (const auto& [key, value] :
         {std::pair<std::string, std::string>{"CompanyName", "Quorrel Display Works"},
          {"FileDescription", "Benchmark driver \xA9"},
          {"FileVersion", version}}) {
        block += key + '\0' + value + '\0';
    }
    std::copy_n(block.begin(), std::min(block.size(), bytes.size() - at), bytes.begin() + at);
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

constexpr char kUsage[] = "usage: version_strings_bench [--repeat N] [--quiet] FILE...\n"
                          "       version_strings_bench --make-big PATH [MIB]\n"
                          "       version_strings_bench --make-dir DIR [COUNT [MIB]]\n";

int usage() {
    std::cerr << kUsage;
    return 2;
}

// A count from 1 to limit written in decimal digits, or 0.
std::size_t count(const char* text, std::size_t limit) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    const bool digits = *text >= '0' && *text <= '9' && *end == '\0';
    return digits && value >= 1 && value <= limit ? static_cast<std::size_t>(value) : 0;
}

int makeBig(int argc, char** argv) {
    const std::size_t mib = argc == 4 ? count(argv[3], 65536) : 256;
    if (argc < 3 || argc > 4 || mib == 0) {
        return usage();
    }
    std::vector<uint8_t> bytes(mib << 20);
    fillRandom(bytes, 1);
    putVersionBlock(bytes, bytes.size() - 4096, "4.10.2222");
    return writeFile(argv[2], bytes) ? 0 : 1;
}

int makeDir(int argc, char** argv) {
    const std::size_t files = argc >= 4 ? count(argv[3], 9999) : 1000;
    const std::size_t mib = argc == 5 ? count(argv[4], 4096) : 1;
    if (argc < 3 || argc > 5 || files == 0 || mib == 0) {
        return usage();
    }
    const std::string dir = argv[2];
    std::vector<uint8_t> bytes(mib << 20);
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    for (std::size_t n = 0; n < files; ++n) {
        fillRandom(bytes, static_cast<uint64_t>(n) + 2);
        putVersionBlock(bytes, bytes.size() - 2048, "1." + std::to_string(n));
        char name[32];
        std::snprintf(name, sizeof name, "/DRV%04zu.DRV", n);
        if (!writeFile(dir + name, bytes)) {
            std::cerr << "cannot write " << dir + name << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--make-big") {
        return makeBig(argc, argv);
    }
    if (argc > 1 && std::string(argv[1]) == "--make-dir") {
        return makeDir(argc, argv);
    }
    long repeat = 1;
    bool quiet = false;
    std::vector<std::string> files;
    for (int n = 1; n < argc; ++n) {
        const std::string argument = argv[n];
        if (argument == "--help") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--repeat" && n + 1 < argc && count(argv[n + 1], 1000000) != 0) {
            repeat = static_cast<long>(count(argv[++n], 1000000));
        } else if (argument == "--quiet") {
            quiet = true;
        } else if (argument.empty() || argument[0] == '-') {
            return usage(); // an option it does not know, or --repeat without a count
        } else {
            files.push_back(argument);
        }
    }
    if (files.empty()) {
        return usage();
    }

    std::uint64_t bytes = 0;
    for (const std::string& file : files) {
        // Links followed; anything but a regular file is not opened.
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) {
            std::cerr << "version_strings_bench: " << file << ": not a regular file\n";
            return 2;
        }
        bytes += std::filesystem::file_size(file, error);
        if (!quiet) {
            const tolvane::VersionCaptions captions = tolvane::readVersionCaptions(file);
            std::cout << tolvane::toUtf8(captions.description) << '\t'
                      << tolvane::toUtf8(captions.vendor) << '\t'
                      << tolvane::toUtf8(captions.version) << '\n';
        }
    }

    std::size_t checksum = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long round = 0; round < repeat; ++round) {
        for (const std::string& file : files) {
            checksum += tolvane::readVersionCaptions(file).version.size();
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const double reads = static_cast<double>(files.size()) * static_cast<double>(repeat);
    std::cout << files.size() << " file(s), " << bytes << " bytes, " << repeat
              << " round(s): " << elapsed.count() << " s, " << 1000.0 * elapsed.count() / reads
              << " ms per file, "
              << static_cast<double>(bytes) * static_cast<double>(repeat) / elapsed.count() / 1e9
              << " GB/s (checksum " << checksum << ")\n";
    return 0;
}
