#include "native_names.h"

#include "driver_files.h"

#include <QFile>
#include <QStringList>

namespace tolvane {

namespace {

constexpr char16_t kKeptByte = 0xDC00; // U+DC80..U+DCFF stand for the bytes 0x80..0xFF

bool isKeptByte(char16_t c) {
    return c >= kKeptByte + 0x80 && c <= kKeptByte + 0xFF;
}

} // namespace

QString pathFromNative(const QByteArray& bytes) {
    QString path;
    qsizetype from = 0;
    // Runs of valid UTF-8 are decoded whole; every other byte is kept as it is.
    auto flush = [&](qsizetype to) {
        if (to > from)
            path += QString::fromUtf8(bytes.constData() + from, to - from);
    };
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype length = 0;
        for (qsizetype n = 1; n <= 4 && at + n <= bytes.size(); ++n) {
            if (isValidUtf8(
                    std::string_view(bytes.constData() + at, static_cast<std::size_t>(n)))) {
                length = n;
                break;
            }
        }
        if (length == 0) {
            flush(at);
            path += QChar(kKeptByte + static_cast<unsigned char>(bytes[at]));
            from = ++at;
        } else {
            at += length;
        }
    }
    flush(at);
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

} // namespace tolvane
