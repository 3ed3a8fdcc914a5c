// Reading one string value out of a Wine registry file (user.reg, system.reg).
//
// The file is untrusted text. Each line stands alone; a line that is not well formed is
// skipped, so any input gives an answer and never more than the file holds. The lines
// that count, as Wine writes them:
//   WINE REGISTRY Version 2                       (any line not below: skipped)
//   ;; comment                                    #arch=win64, #time=1dd87d886c60d98
//   [Software\\Brisklow\\Harrowmint] 1796821636   a key, relative to the file's root
//   "Folder"="C:\\users\\ana"                      REG_SZ
//   "Desktop"=str(2):"%USERPROFILE%\\Desktop"      REG_EXPAND_SZ (str(n): any type n)
//   @="text"                                      the key's default (unnamed) value
//   "Count"=dword:00000002, "Bytes"=hex:01,02     values of other types
// Key names and strings are quoted text with the escapes \\ \" \a \b \e \f \n \r \t \v,
// octal \ooo and \xhhhh (one UTF-16 code unit); any other escaped character stands for
// itself. Bytes of 0x80 and above outside escapes are read as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// The value `name` ("" for the default value) of the key `key` (backslash-separated,
// relative to the file's root) in the registry file text `file`, both names matched
// ignoring ASCII case, when it is a REG_SZ or REG_EXPAND_SZ string: its text as the ANSI
// registry call gives it, one Windows-1252 byte per UTF-16 code unit ('?' for a code unit
// the code page lacks). Nothing when the key has no such value or its value has another
// type; when the file holds the value more than once the last one counts.
std::optional<std::string> wineRegistryString(std::string_view file, std::string_view key,
                                              std::string_view name);

} // namespace tolvane
