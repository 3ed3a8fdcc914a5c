// Reader of Wine's registry files (system.reg, user.reg): finds one key and one value in
// one of them.
//
// The file is untrusted text. It is read as a stream of bytes, one pass, with no line
// buffer and no heap; every write goes through a bounds check, so any input is safe.
//
// The format, as Wine writes it:
//   WINE REGISTRY Version 2
//   ;; comment lines and #name=value lines are skipped
//   [Software\\Corvelline\\Saltremb\\Hardware] 1796763883      key, relative to the root
//   "MMX"="On"                       REG_SZ
//   @="text"                         the key's default (unnamed) value
//   "E"=str(2):"On"                  a string of another type (here REG_EXPAND_SZ)
//   "D"=dword:00000002               REG_DWORD
//   "B"=hex:01,02,\                  REG_BINARY; a trailing backslash continues the bytes
//     03,04                            on the next line
//   "H"=hex(7):61,00,00,00           raw bytes of any type
// Names and strings are quoted, with the escapes \\ \" \a \b \e \f \n \r \t \v, octal
// \ooo and \xhhhh (UTF-16 code units). Key and value names match ignoring ASCII case.
//
// Values come back as the ANSI registry call returns them: string types (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) are held as UTF-16 and converted to Windows-1252, one
// byte per code unit, '?' for a character that code page lacks; a quoted string also
// gets its terminating zero. Other types come back as their bytes.
#pragma once

#include <cstdint>

// A stream of bytes: next() returns the next byte (0-255), or -1 at the end.
struct reg_byte_source {
    int (*next)(void* context);
    void* context;
};

struct reg_lookup {
    bool key_exists;  // the key, or a key below it, has a header in the file
    bool value_found; // the value is in the key and well formed
    uint32_t type;    // its type (REG_SZ = 1, ...)
    uint32_t size;    // its size in bytes as the ANSI call reports it
    uint32_t stored;  // bytes put into the caller's buffer: min(size, capacity)
};

// Looks for `key_path` (backslash-separated, relative to the file's root key:
// HKEY_LOCAL_MACHINE for system.reg, HKEY_CURRENT_USER for user.reg; ANSI) and,
// when `value_name` is not null, for that value in it ("" is the default value). Up to
// `capacity` bytes of the value go to `data` (which may be null when capacity is 0).
// When the file holds the value more than once the last one counts.
void system_reg_lookup(const reg_byte_source* source, const char* key_path, const char* value_name,
                       uint8_t* data, uint32_t capacity, reg_lookup* result);

// Windows-1252: the UTF-16 code unit for a byte, and the byte for a code unit ('?' when
// the code page has no such character).
uint16_t cp1252_to_unit(uint8_t byte);
uint8_t unit_to_cp1252(uint16_t unit);
