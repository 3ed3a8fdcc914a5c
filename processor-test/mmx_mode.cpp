// Reading the MMX setting and choosing the arithmetic.
#include "mmx_mode.h"

#include "cpu_detect.h"
#include "fixed_point.h"
#include "registry.h"

int32_t mmx_mode = 0;
int32_t mmx_mode_loaded = 0;

namespace {

const char* const setting_key = "Software\\Corvelline\\Saltremb\\Hardware";
const char* const setting_value = "MMX";
const char* const setting_words[] = {"Auto", "Off", "On"}; // index = setting

constexpr uint32_t SETTING_BUFFER_SIZE = 80;

int32_t (*cpu_detector)() = detect_cpu;

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the stored text (which ends at its first zero byte or after `length` bytes)
// with a word, ignoring the case of ASCII letters only.
bool same_word(const char* text, uint32_t length, const char* word) {
    uint32_t i = 0;
    for (; i < length && text[i] != '\0'; ++i) {
        if (word[i] == '\0' || ascii_lower(text[i]) != ascii_lower(word[i]))
            return false;
    }
    return word[i] == '\0';
}

} // namespace

int32_t read_mmx_setting() {
    char text[SETTING_BUFFER_SIZE] = {};
    uint32_t size = SETTING_BUFFER_SIZE;
    uint32_t type = 0;
    if (registry_read(setting_key, setting_value, &type, reinterpret_cast<uint8_t*>(text), &size) !=
            REGISTRY_READ ||
        type != REGISTRY_SZ)
        return MMX_MODE_AUTO;
    for (int32_t setting = 0; setting < 3; ++setting) {
        if (same_word(text, size, setting_words[setting]))
            return setting;
    }
    return MMX_MODE_AUTO;
}

int32_t select_mmx_mode() {
    if (mmx_mode_loaded == 0) {
        mmx_mode = read_mmx_setting();
        mmx_mode_loaded = 1;
    }
    if (mmx_mode == MMX_MODE_OFF)
        mmx_enabled = 0;
    else if (mmx_mode == MMX_MODE_ON)
        mmx_enabled = 1;
    else
        mmx_enabled = cpu_detector() >= CPU_HAS_MMX ? 1 : 0;
    return mmx_enabled;
}

void mmx_mode_reset_for_tests() {
    mmx_mode = 0;
    mmx_mode_loaded = 0;
}

void mmx_mode_set_detector_for_tests(int32_t (*detector)()) {
    cpu_detector = detector != nullptr ? detector : detect_cpu;
}
