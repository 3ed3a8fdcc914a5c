// The lists' order of names against the system's own: a sorted list box (LBS_SORT), which
// orders its entries by the system's comparison ignoring case, fed every byte of the code
// page alone and between letters, and random names of every byte. Where the system finds two
// names alike, the lists' order may take either first; everywhere else it must agree.
#include "core/name_order.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The system's sorted lists here: English (United States), code page 1252.
const LCID kLocale = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

std::wstring wide(const std::string& name) {
    std::wstring text(name.size(), L'\0');
    const int n = MultiByteToWideChar(1252, 0, name.data(), static_cast<int>(name.size()), &text[0],
                                      static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(n));
    return text;
}

std::vector<std::string> names() {
    std::vector<std::string> all = {""};
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        all.push_back(std::string(1, c));
        all.push_back(std::string("a") + c + "b");
        all.push_back(std::string(1, c) + "a");
    }
    std::mt19937 random(1252);
    const std::string letters = "aAeEsStTzZ\xE9\xC9\xE6\xDF\xFE-'\xAD";
    for (int n = 0; n < 600; ++n) {
        std::string name;
        for (int length = 1 + static_cast<int>(random() % 5); length > 0; --length)
            name += random() % 2 == 0 ? letters[random() % letters.size()]
                                      : static_cast<char>(1 + random() % 255);
        all.push_back(name);
    }
    return all;
}

TEST(SortedListBox, OrdersNamesAsTheListsDoWhereverItTellsThemApart) {
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100, NULL,
                                NULL, GetModuleHandleW(NULL), NULL);
    ASSERT_NE(list, nullptr);
    SendMessageW(list, LB_SETLOCALE, kLocale, 0);
    const std::vector<std::string> all = names();
    for (const std::string& name : all)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(name).c_str()));
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(all.size()));
    std::vector<std::string> sorted;
    for (int i = 0; i < static_cast<int>(all.size()); ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        std::string name(text.size() * 2, '\0');
        name.resize(static_cast<size_t>(
            WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), &name[0],
                                static_cast<int>(name.size()), NULL, NULL)));
        sorted.push_back(name);
    }
    DestroyWindow(list);

    int alike = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
        for (size_t j = i + 1; j < sorted.size(); ++j) {
            const std::wstring a = wide(sorted[i]);
            const std::wstring b = wide(sorted[j]);
            const int system =
                CompareStringW(kLocale, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                               b.c_str(), static_cast<int>(b.size()));
            ASSERT_NE(system, CSTR_GREATER_THAN) << "the list box sorts by the comparison";
            if (system == CSTR_EQUAL) {
                ++alike;
                continue;
            }
            ASSERT_LT(tolvane::compareNames(sorted[i].c_str(), sorted[j].c_str()), 0)
                << ::testing::PrintToString(sorted[i]) << " "
                << ::testing::PrintToString(sorted[j]);
        }
    }
    EXPECT_GT(alike, 0) << "names alike for the system but for case were fed";
}

} // namespace
