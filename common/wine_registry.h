// The reader of Wine's registry files (system.reg, user.reg): finds one key and one value.
//
// The file is untrusted text. It is read as a stream, in one pass, through a small buffer of
// the reader's own: no heap, no line buffer, every write bounds-checked, so any input is safe.
// It reads what wineserver itself reads from these files (tests/wine_registry_lines.txt holds the
// lines it was checked on):
//   [Software\\Corvelline\\Saltremb\\Hardware] 1796763883     a key, relative to the root
//   "MMX"="On"                        REG_SZ (also str:"On"); what follows the quote is ignored
//   @="text"                          the key's default (unnamed) value
//   "E"=str(2):"%USERPROFILE%"        REG_EXPAND_SZ; str(7): REG_MULTI_SZ
//   "D"=dword:00000002                REG_DWORD, read as strtoul reads base 16
//   "B"=hex:01,02,\                   REG_BINARY; hex(n): bytes of type n; a backslash
//     03,04                           continues the bytes on the next line
// Other lines (comments, #options) are skipped, and so are value lines whose name or "=" is
// broken, and values under a key header that is not well formed. A value whose data is
// broken is there, as REG_NONE with no data. Blanks may stand at the start of a line and
// around "=". Names and strings take the escapes \\ \" \a \b \e \f \n \r \t \v, octal \ooo
// and \xhhhh (one UTF-16 code unit); any other escaped character stands for itself. Other
// bytes from 0x80 up are UTF-8 (common/utf8.h); a byte that starts no character is dropped.
// Key and value names match ignoring the case of ASCII letters.
//
// Values come back as the ANSI registry call returns them: string types in Windows-1252, one
// byte per UTF-16 code unit, '?' for a character the code page lacks, an odd last byte of
// hex data dropped; a quoted string also gets its terminating zero. Other types come back as
// their bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the reader's bytes come from: read() stores up to `capacity` bytes at `buffer` and
// returns how many; 0 at the end of the file (a read error also ends it).
struct reg_source {
    size_t (*read)(void* context, uint8_t* buffer, size_t capacity);
    void* context;
};

struct reg_lookup {
    bool value_found; // the key holds the value
    uint32_t type;    // its type (REG_SZ = 1, ...)
    uint32_t size;    // its size in bytes as the ANSI call reports it; min(size, capacity) of
                      // them are in the caller's buffer
};

// Looks for the value `value_name` ("" is the default value) of the key `key_path`
// (backslash-separated, relative to the file's root key: HKEY_LOCAL_MACHINE for system.reg,
// HKEY_CURRENT_USER for user.reg), both Windows-1252. Up to `capacity` bytes of the value go
// to `data` (which may be null when capacity is 0); past them the buffer's contents are
// undefined. When the file holds the value more than once the last one counts.
void wine_registry_lookup(const reg_source* source, const char* key_path, const char* value_name,
                          uint8_t* data, uint32_t capacity, reg_lookup* result);

// The same over a file held in memory.
void wine_registry_lookup_bytes(const uint8_t* bytes, size_t size, const char* key_path,
                                const char* value_name, uint8_t* data, uint32_t capacity,
                                reg_lookup* result);

enum reg_file_status {
    REG_FILE_READ,        // the file was read; *result holds what it says
    REG_FILE_UNREADABLE,  // it cannot be opened or examined (missing, no permission)
    REG_FILE_NOT_REGULAR, // a directory, a FIFO, a device (a link to /dev/zero): not read
    REG_FILE_TOO_LARGE,   // larger than REG_FILE_SIZE_LIMIT: not read
};

// A registry file is read only up to this size. A new prefix's system.reg is about 3 MB and
// its user.reg 30 KB; prefixes that hold many programs grow to some tens of MB. A quarter of a
// gigabyte is far above any real prefix and still read in about a second, so a huge or
// growing file can neither hold the program up for long nor be taken for a real one.
constexpr uint64_t REG_FILE_SIZE_LIMIT = uint64_t{256} << 20;

// The same over a file on disk (POSIX systems). It is opened without blocking (a FIFO with no
// writer cannot hold the open up) and read only when it is a regular file of at most
// REG_FILE_SIZE_LIMIT bytes, and never beyond that limit, however it grows meanwhile.
// Unless the file was read, *result says that nothing was found.
reg_file_status wine_registry_file_lookup(const char* path, const char* key_path,
                                          const char* value_name, uint8_t* data, uint32_t capacity,
                                          reg_lookup* result);
