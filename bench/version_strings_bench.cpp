// Speed of the driver browser's version-string search on real files.
//
//   version_strings_bench [--repeat N] [--quiet] FILE...
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
        block += key;
        block.push_back('\0');
        block += value;
        block.push_back('\0');
    }
    for (std::size_t n = 0; n < block.size() && at + n < bytes.size(); ++n) {
        bytes[at + n] = static_cast<uint8_t>(block[n]);
    }
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::size_t mebibytes(const char* text, std::size_t fallback) {
    return (text ? std::strtoull(text, nullptr, 10) : fallback) << 20;
}

int makeBig(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: version_strings_bench --make-big PATH [MIB]\n";
        return 2;
    }
    std::vector<uint8_t> bytes(mebibytes(argc > 3 ? argv[3] : nullptr, 256));
    fillRandom(bytes, 1);
    putVersionBlock(bytes, bytes.size() - 4096, "4.10.2222");
    return writeFile(argv[2], bytes) ? 0 : 1;
}

int makeDir(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: version_strings_bench --make-dir DIR [COUNT [MIB]]\n";
        return 2;
    }
    const std::string dir = argv[2];
    const long count = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 1000;
    std::vector<uint8_t> bytes(mebibytes(argc > 4 ? argv[4] : nullptr, 1));
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    for (long n = 0; n < count; ++n) {
        fillRandom(bytes, static_cast<uint64_t>(n) + 2);
        putVersionBlock(bytes, bytes.size() - 2048, "1." + std::to_string(n));
        char name[32];
        std::snprintf(name, sizeof name, "/DRV%04ld.DRV", n);
        if (!writeFile(dir + name, bytes)) {
            std::cerr << "cannot write " << dir + name << "\n";
            return 1;
        }
    }
    return 0;
}

std::uint64_t fileSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return in ? static_cast<std::uint64_t>(in.tellg()) : 0;
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
        if (argument == "--repeat" && n + 1 < argc) {
            repeat = std::max(1L, std::strtol(argv[++n], nullptr, 10));
        } else if (argument == "--quiet") {
            quiet = true;
        } else {
            files.push_back(argument);
        }
    }
    if (files.empty()) {
        std::cerr << "usage: version_strings_bench [--repeat N] [--quiet] FILE...\n"
                     "       version_strings_bench --make-big PATH [MIB]\n"
                     "       version_strings_bench --make-dir DIR [COUNT [MIB]]\n";
        return 2;
    }

    std::uint64_t bytes = 0;
    for (const std::string& file : files) {
        bytes += fileSize(file);
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
