// Version strings of a driver file, found by searching its bytes for 8-bit version
// information: "StringFileInfo" followed by a zero byte, then the keys CompanyName,
// FileDescription and FileVersion in a 200-byte window behind it, each value being the
// zero-terminated text after its key.
//
// Needs no C++ runtime library and no heap of its own. The file arrives in pieces, in
// order, and the scan keeps only what can still decide a caption: the bytes behind the
// markers whose windows are not complete yet, the start of the window text that the key
// searches look at, and the value being collected. So its memory does not grow with the
// file; only a value that runs on through many windows without a zero byte takes more, as
// much as the caption itself.
//
// The window text is the windows of all markers met so far, one after the other, and a
// value that starts in the first window runs on, up to a zero byte or the end of the
// window text, into the text that later markers appended. The captions are handed over as
// bytes of the file (or of the fixed default texts); they become characters through the
// system's ANSI code page, one character per byte, on the caller's side.
#pragma once

#include "value_labels.h"

#include <cstddef>
#include <cstdint>

namespace tolvane {

// The captions shown when a file has no (or incomplete) version information.
inline constexpr char kNoInformationText[] = "No Information available on this driver";
inline constexpr char kNotAvailableText[] = "N/A";
// The description of a file that cannot be opened or read begins with this, followed by the
// reason in plain words; vendor and version are then "N/A".
inline constexpr char kUnreadableFileText[] = "Could not read this file: ";

// Receives the captions of one file. The scan calls append for the Description caption
// first, then Vendor, then Version; each caption's runs come one after the other and
// joined they are the caption's text. An empty caption gets no call. The runs are valid
// only during the call.
struct CaptionSink {
    void* context;
    void (*append)(void* context, ValueLabel label, const uint8_t* bytes, std::size_t size);
};

// Memory for a value longer than the scan holds by itself: size bytes that stay until the
// scan's owner is done, or null when there are not enough. A value that finds no memory is
// cut where the memory ended, so a caption is always the start of the real one.
struct ScanMemory {
    void* context;
    uint8_t* (*take)(void* context, std::size_t size);
};

// The scan of one file, fed its bytes piece by piece.
class VersionScan {
public:
    // fileSize is the file's length: the windows of markers near its end are cut there.
    VersionScan(uint64_t fileSize, const ScanMemory& memory);
    VersionScan(const VersionScan&) = delete;
    VersionScan& operator=(const VersionScan&) = delete;

    // Takes the file's next size bytes (the first call its first bytes); pieces may have any
    // size, and bytes past fileSize play no part. Returns false once the captions are
    // decided, when the rest of the file need not be read.
    bool feed(const uint8_t* bytes, std::size_t size);

    // The same as feeding size zero bytes (a hole in a sparse file): no marker starts in
    // them, so past the windows they complete they are only counted.
    bool feedZeros(uint64_t size);

    // Hands the captions to sink, once the whole file was fed or feed returned false.
    void finish(const CaptionSink& sink);

private:
    // The window behind one marker: the file's bytes [start, start + length), at textAt in
    // the window text. The length is the scan's 16-bit window length, 0 or negative (an
    // empty window) for a marker within the file's last 31 bytes.
    struct Window {
        uint64_t start;
        uint64_t textAt;
        int16_t length;
    };
    // Markers are at least 31 bytes apart and a window ends at most 230 bytes behind its
    // marker, so at most seven windows are incomplete at once.
    static constexpr std::size_t kMostPending = 8;
    static constexpr std::size_t kCarried = 14; // a marker's bytes but its last
    static constexpr std::size_t kHeld = 512;   // window text held without asking for memory

    bool markersIn(const uint8_t* data, std::size_t size, uint64_t base, std::size_t startsBefore);
    bool markerAt(uint64_t at);
    void advance(uint64_t to);
    void handle(const Window& window);
    void settle();
    void keepOnlyTheValues();
    void makeRoom(uint64_t size);
    std::size_t position(int key, int16_t windowLength) const;
    uint64_t kept() const;
    bool emptyValue(std::size_t start) const;
    void emitValue(std::size_t start, ValueLabel label, const CaptionSink& sink) const;

    uint64_t size_;
    ScanMemory memory_;
    uint64_t fed_ = 0;  // bytes fed so far
    uint64_t next_ = 0; // where the next marker may start: 31 bytes behind the last one
    uint8_t carry_[kCarried] = {};
    std::size_t carried_ = 0; // the last bytes fed, for a marker across two pieces
    // The piece being fed and how far the pending windows have taken from it.
    const uint8_t* piece_ = nullptr;
    uint64_t pieceAt_ = 0;
    uint64_t filled_ = 0;
    Window pending_[kMostPending] = {};
    std::size_t pendingCount_ = 0;
    uint64_t textEnd_ = 0;  // the window text's length with every pending window
    uint64_t textSize_ = 0; // its length at the last marker handled
    int16_t lastLength_ = 0;
    bool anyMarker_ = false;
    // The window text from its start, as far as it is kept.
    uint8_t held_[kHeld] = {};
    uint8_t* text_ = held_;
    std::size_t capacity_ = kHeld;
    uint64_t keep_ = UINT64_MAX;    // bytes of it still wanted
    uint64_t zeroFrom_ = 0;         // where the search for a value's end goes on
    bool settled_ = false;          // the text the key searches look at is complete
    std::size_t settledAt_[3] = {}; // then each key's first position, 0 for none
    bool decided_ = false;          // FileVersion found: the captions are fixed
    std::size_t decidedAt_[3] = {}; // and the keys' positions at that marker
};

// Scans the file whose whole contents are bytes[0..size) and hands the captions of the
// Description, Vendor and Version labels to sink, exactly as the main window shows them.
void scanVersionStrings(const uint8_t* bytes, std::size_t size, const ScanMemory& memory,
                        const CaptionSink& sink);

// The captions for a file that cannot be opened or read: the description is
// kUnreadableFileText followed by reason (a zero-terminated text), vendor and version are
// "N/A".
void unreadableFileCaptions(const char* reason, const CaptionSink& sink);

} // namespace tolvane
