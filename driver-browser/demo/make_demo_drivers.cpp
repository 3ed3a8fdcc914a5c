// make_demo_drivers DIR [WINE_LIB_DIR]
//
// Creates DIR/drive_c/windows/system with sample driver files and DIR/drive_c/windows/
// desktop, so that the driver browser shows drivers when started with WINEPREFIX=DIR.
// Wine's own 16-bit driver modules (*.drv16) are copied in as *.drv, from WINE_LIB_DIR or
// from where Wine usually keeps them.
#include "demo_drivers.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: make_demo_drivers DIR [WINE_LIB_DIR]\n"
                     "Then start the browser with WINEPREFIX=DIR.\n";
        return 2;
    }
    try {
        const auto names =
            tolvane::demo::writeDemoWindowsDirectory(argv[1], argc > 2 ? argv[2] : "");
        const auto system = std::filesystem::path(argv[1]) / "drive_c" / "windows" / "system";
        std::cout << "Wrote " << names.size() << " driver files to " << system.string() << ":\n";
        for (const auto& name : names) {
            std::cout << "  " << name << '\n';
        }
        std::cout << "Start the browser with WINEPREFIX=" << argv[1] << '\n';
    } catch (const std::exception& error) {
        std::cerr << "make_demo_drivers: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
