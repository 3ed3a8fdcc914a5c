// Reading one environment variable of the process.
#pragma once

#include <cstddef>

// Copies the value of `name` into `buffer` (terminated); false when the variable is not
// set or its value does not fit in `size` characters.
bool environment_value(const char* name, char* buffer, size_t size);
