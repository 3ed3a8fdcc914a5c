#include "native_names.h"

#include "driver_files.h"
#include "utf8.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

namespace tolvane {

namespace {

constexpr char16_t kKeptByte = 0xDC00; // U+DC80..U+DCFF stand for the bytes 0x80..0xFF

bool isKeptByte(char16_t c) {
    return c >= kKeptByte + 0x80 && c <= kKeptByte + 0xFF;
}

} // namespace

QString pathFromNative(const QByteArray& bytes) {
    QString path;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const auto size = static_cast<std::size_t>(bytes.size());
    for (std::size_t at = 0; at < size;) {
        uint32_t c = 0;
        const std::size_t length = utf8_decode(data + at, size - at, &c);
        if (length == 0) {
            path += QChar(kKeptByte + data[at++]); // no character starts here: keep the byte
        } else {
            const char32_t code = c;
            path += QString::fromUcs4(&code, 1);
            at += length;
        }
    }
    return path;
}

QByteArray pathToNative(const QString& path) {
    QByteArray bytes;
    qsizetype from = 0;
    auto flush = [&](qsizetype to) {
        if (to > from)
            bytes += path.mid(from, to - from).toUtf8();
    };
    for (qsizetype at = 0; at < path.size(); ++at) {
        const char16_t c = path[at].unicode();
        const bool afterHighSurrogate = at > 0 && path[at - 1].isHighSurrogate();
        if (isKeptByte(c) && !afterHighSurrogate) {
            flush(at);
            bytes += static_cast<char>(c - kKeptByte);
            from = at + 1;
        }
    }
    flush(path.size());
    return bytes;
}

QString shownName(const QByteArray& bytes) {
    const std::u16string shown =
        shownFileName(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return QString::fromStdU16String(shown);
}

QString shownPath(const QString& path) {
    QStringList parts = path.split(QLatin1Char('/'));
    for (QString& part : parts)
        part = shownName(pathToNative(part));
    return parts.join(QLatin1Char('/'));
}

QString shownText(const char* text) {
    return shownPath(pathFromNative(QByteArray(text)));
}

std::size_t copyOut(const QByteArray& text, char* buffer, std::size_t capacity) {
    const auto length = static_cast<std::size_t>(text.size());
    if (capacity > 0) {
        const std::size_t n = length < capacity ? length : capacity - 1;
        std::copy_n(text.constData(), n, buffer);
        buffer[n] = '\0';
    }
    return length;
}

} // namespace tolvane
