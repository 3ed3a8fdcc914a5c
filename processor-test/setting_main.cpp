// pexmoor_setting: prints the stored MMX setting as the library reads it (0 Auto, 1 Off,
// 2 On). Used to check that every build reads the registry alike.
#include <cstdio>

#include "mmx_mode.h"

int main() {
    std::printf("%d\n", static_cast<int>(read_mmx_setting()));
    return 0;
}
