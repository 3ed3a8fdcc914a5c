// The machine-wide MMX setting and the choice between plain and MMX arithmetic.
//
// The setting is the REG_SZ value "MMX" of the key
// HKEY_LOCAL_MACHINE\Software\Corvelline\Saltremb\Hardware: "Auto", "Off" or "On" in
// any letter case. Anything else (a missing
// key or value, another type, a text of 80 bytes or more, any other word) means Auto.
#pragma once

#include <cstdint>

constexpr int32_t MMX_MODE_AUTO = 0; // MMX when the processor has it
constexpr int32_t MMX_MODE_OFF = 1;  // always plain arithmetic
constexpr int32_t MMX_MODE_ON = 2;   // always MMX, without asking the processor

// The cached setting, and 1 once it has been read (process-wide, zero at start).
extern int32_t mmx_mode;
extern int32_t mmx_mode_loaded;

// Reads the setting from the registry: MMX_MODE_AUTO, _OFF or _ON; Auto for every failure.
int32_t read_mmx_setting();

// Reads the setting on the first call only, then sets mmx_enabled: Off gives 0, On gives
// 1, Auto runs the processor detection (with its progress lines) on every call and gives
// 1 when it finds MMX. Returns the new mmx_enabled.
int32_t select_mmx_mode();

// ---- for tests only ----
// Forgets the cached setting, so the next select_mmx_mode reads the registry again.
void mmx_mode_reset_for_tests();
// Replaces the processor detection select_mmx_mode runs (null puts back detect_cpu).
void mmx_mode_set_detector_for_tests(int32_t (*detector)());
