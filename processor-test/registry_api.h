// The three registry calls the MMX setting is read with.
//
// On Windows they are advapi32's. Elsewhere the same three calls, with the same
// arguments and results, read HKEY_LOCAL_MACHINE as Wine stores it on disk
// ($WINEPREFIX/system.reg, else ~/.wine/system.reg); they never write anything.
#pragma once

#if defined(_WIN32)

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#else

#include <cstdint>

struct pex_registry_key;
typedef pex_registry_key* HKEY;
typedef HKEY* PHKEY;
typedef const char* LPCSTR;
typedef uint32_t DWORD;
typedef DWORD* LPDWORD;
typedef uint8_t BYTE;
typedef BYTE* LPBYTE;
typedef DWORD REGSAM;
typedef int32_t LSTATUS;

#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u)))

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_MORE_DATA = 234;

// Opens `sub_key` under `key` (only HKEY_LOCAL_MACHINE is known). Fails with
// ERROR_ACCESS_DENIED when write access is asked for, since the file is only read.
LSTATUS RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD options, REGSAM access, PHKEY result);

// Reads a value as the ANSI (Windows-1252) call does: string types come back converted
// from UTF-16, terminator included. *data_size is the buffer size on entry and the size
// of the value on return; a value that does not fit gives ERROR_MORE_DATA.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD data_size);

LSTATUS RegCloseKey(HKEY key);

#endif
