// Finding the version-information marker in a driver file's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvane {

// "StringFileInfo" and its terminating zero byte.
inline constexpr uint8_t kMarker[] = {'S', 't', 'r', 'i', 'n', 'g', 'F', 'i',
                                      'l', 'e', 'I', 'n', 'f', 'o', 0};
inline constexpr std::size_t kMarkerSize = sizeof kMarker;

// The first position in [from, end) where the whole marker stands, or end.
const uint8_t* findMarker(const uint8_t* from, const uint8_t* end);

} // namespace tolvane
