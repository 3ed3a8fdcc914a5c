// The four value labels of the main window, the only record of a driver's details: the
// version-string scan fills the last three, the report lines read all four.
#pragma once

#include <cstdint>

namespace tolvane {

enum class ValueLabel : uint8_t { FileName, Description, Vendor, Version };

} // namespace tolvane
