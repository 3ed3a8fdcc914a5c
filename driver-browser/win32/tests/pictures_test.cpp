// The bitmaps and icons of tolvane.rc, as this program's own resources: stored in formats
// every Windows from 95 on reads (uncompressed Windows 3 bitmaps with a BITMAPINFOHEADER,
// 24-bit or 256 colours; icons of 16 colours with an AND mask), and drawn by Windows pixel
// for pixel as the Qt program shows them. The build renders both from the same SVG files and
// dumps the Qt program's PNGs as RGBA rows (pictures_test.rc), which are compared here with
// what Windows itself decodes from the resources.
#include "resource_ids.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Bytes {
    const unsigned char* data = nullptr;
    DWORD size = 0;
};

Bytes resource(LPCSTR name, LPCSTR type) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, name, type);
    if (found == NULL)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    return {static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(module, found)};
}

// The picture the Qt program loads, as red, green, blue, alpha bytes, rows top to bottom.
struct Expected {
    int width, height;
    const unsigned char* rgba;
    std::uint32_t at(int x, int y) const {
        const unsigned char* p = rgba + 4 * (static_cast<std::size_t>(y) * width + x);
        return static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
    }
    bool opaque(int x, int y) const {
        return rgba[4 * (static_cast<std::size_t>(y) * width + x) + 3] == 255;
    }
};

Expected expected(const std::string& name, int width, int height) {
    const Bytes dump = resource(name.c_str(), MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (dump.size != 4u * width * height)
        return {0, 0, nullptr};
    return {width, height, dump.data};
}

// What Windows makes of a bitmap handle: 0xRRGGBB per pixel, rows top to bottom.
std::vector<std::uint32_t> pixelsOf(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC dc = GetDC(NULL);
    const int rows = GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(NULL, dc);
    if (rows != height)
        pixels.clear();
    for (std::uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

BITMAPINFOHEADER headerOf(const Bytes& bytes) {
    BITMAPINFOHEADER header = {};
    if (bytes.size >= sizeof header)
        std::memcpy(&header, bytes.data, sizeof header);
    return header;
}

DWORD rowBytes(int width, int bits) {
    return static_cast<DWORD>((width * bits + 31) / 32 * 4);
}

// ---------------------------------------------------------------------------------------------
// Bitmaps: the name in tolvane.rc, the size its window expects and its colour depth.

struct Picture {
    const char* name;
    int width, height, bits;
    const char* pixels;
};

const Picture kPictures[] = {
    {"SPLASH", 461, 220, 24, "SPLASH_RGBA"},
    {"ABOUT", 320, 200, 24, "ABOUT_RGBA"},
    {"SHORTCUT", 150, 72, 8, "SHORTCUT_RGBA"},
    {"QUILLETEGG", 400, 300, 8, "QUILLET_EGG_RGBA"},
};

TEST(Pictures, EveryBitmapIsAnUncompressedWindows3Dib) {
    for (const Picture& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        const Bytes bytes = resource(picture.name, MAKEINTRESOURCEA(2)); // RT_BITMAP
        ASSERT_NE(bytes.data, nullptr);
        const BITMAPINFOHEADER header = headerOf(bytes);
        EXPECT_EQ(header.biSize, 40u) << "a BITMAPINFOHEADER, not a later header";
        EXPECT_EQ(header.biWidth, picture.width);
        EXPECT_EQ(header.biHeight, picture.height) << "rows bottom to top";
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, picture.bits);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        const DWORD colours =
            picture.bits <= 8 ? (header.biClrUsed != 0 ? header.biClrUsed : 1u << picture.bits) : 0;
        EXPECT_LE(colours, 256u);
        if (picture.bits > 8)
            EXPECT_EQ(header.biClrUsed, 0u) << "no palette in a full-colour bitmap";
        EXPECT_EQ(bytes.size,
                  40 + 4 * colours + rowBytes(picture.width, picture.bits) * picture.height);
    }
}

TEST(Pictures, WindowsDrawsEachBitmapAsTheQtProgramShowsIt) {
    for (const Picture& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        const Expected want = expected(picture.pixels, picture.width, picture.height);
        ASSERT_NE(want.rgba, nullptr) << "no pixels of the Qt program's picture";
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(NULL), picture.name);
        ASSERT_NE(bitmap, nullptr);
        const std::vector<std::uint32_t> got = pixelsOf(bitmap, picture.width, picture.height);
        DeleteObject(bitmap);
        ASSERT_FALSE(got.empty());
        int differing = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (got[static_cast<std::size_t>(y) * picture.width + x] != want.at(x, y) &&
                    differing++ == 0)
                    ADD_FAILURE() << "first difference at (" << x << ", " << y << ")";
        EXPECT_EQ(differing, 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Icons: each window's, in 32 x 32 and (but the main window's) 16 x 16.

struct Icon {
    int id;
    const char* pixels; // the dumps are <pixels>_32_RGBA and <pixels>_16_RGBA
    int images;
};

const Icon kIcons[] = {
    {IDI_Form1, "FORM1", 1}, {IDI_changedir, "CHANGEDIR", 2}, {IDI_drvHelp, "HELP", 2},
    {IDI_About, "ABOUT", 2}, {IDI_Brisklow, "SPLASH", 2},
};

#pragma pack(push, 2)
struct GroupEntry { // GRPICONDIRENTRY
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(Pictures, EveryIconIsSixteenColoursWithAMask) {
    for (const Icon& icon : kIcons) {
        SCOPED_TRACE(icon.pixels);
        const Bytes group = resource(MAKEINTRESOURCEA(icon.id), MAKEINTRESOURCEA(14));
        ASSERT_GE(group.size, 6u); // RT_GROUP_ICON: reserved, type 1, count, then the entries
        WORD head[3];
        std::memcpy(head, group.data, sizeof head);
        EXPECT_EQ(head[1], 1);
        ASSERT_EQ(head[2], icon.images);
        ASSERT_EQ(group.size, 6 + sizeof(GroupEntry) * icon.images);
        for (int i = 0; i < icon.images; ++i) {
            GroupEntry entry;
            std::memcpy(&entry, group.data + 6 + sizeof entry * i, sizeof entry);
            const int size = i == 0 ? 32 : 16;
            SCOPED_TRACE(size);
            EXPECT_EQ(entry.width, size);
            EXPECT_EQ(entry.height, size);
            EXPECT_EQ(entry.colours, 16);
            EXPECT_EQ(entry.planes, 1);
            EXPECT_EQ(entry.bits, 4);
            const Bytes image = resource(MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3));
            ASSERT_NE(image.data, nullptr);
            EXPECT_EQ(image.size, entry.bytes);
            const BITMAPINFOHEADER header = headerOf(image);
            EXPECT_EQ(header.biSize, 40u) << "a BITMAPINFOHEADER, not a PNG image";
            EXPECT_EQ(header.biWidth, size);
            EXPECT_EQ(header.biHeight, 2 * size) << "the colour image and the mask";
            EXPECT_EQ(header.biPlanes, 1);
            EXPECT_EQ(header.biBitCount, 4);
            EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
            EXPECT_EQ(image.size, 40 + 4 * 16 + (rowBytes(size, 4) + rowBytes(size, 1)) * size);
        }
    }
}

// Where the mask is set the screen shows through, so the colour image must be black there
// (any other colour would be XORed onto the screen); elsewhere its colour is the picture's.
TEST(Pictures, WindowsDrawsEachIconAsTheQtProgramShowsIt) {
    for (const Icon& icon : kIcons) {
        for (int i = 0; i < icon.images; ++i) {
            const int size = i == 0 ? 32 : 16;
            const std::string name = std::string(icon.pixels) + "_" + std::to_string(size);
            SCOPED_TRACE(name);
            const Expected want = expected(name + "_RGBA", size, size);
            ASSERT_NE(want.rgba, nullptr) << "no pixels of the Qt program's icon";
            HICON handle = static_cast<HICON>(LoadImageA(
                GetModuleHandleA(NULL), MAKEINTRESOURCEA(icon.id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(handle, nullptr);
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(handle, &info));
            const std::vector<std::uint32_t> colour = pixelsOf(info.hbmColor, size, size);
            const std::vector<std::uint32_t> mask = pixelsOf(info.hbmMask, size, size);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(handle);
            ASSERT_EQ(colour.size(), static_cast<std::size_t>(size * size));
            ASSERT_EQ(mask.size(), colour.size());
            int transparent = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    SCOPED_TRACE("(" + std::to_string(x) + ", " + std::to_string(y) + ")");
                    const std::size_t at = static_cast<std::size_t>(y) * size + x;
                    if (!want.opaque(x, y)) {
                        ++transparent;
                        ASSERT_EQ(mask[at], 0xFFFFFFu);
                        ASSERT_EQ(colour[at], 0u);
                    } else {
                        ASSERT_EQ(mask[at], 0u);
                        ASSERT_EQ(colour[at], want.at(x, y));
                    }
                }
            }
            EXPECT_GT(transparent, 0);
        }
    }
}

} // namespace
