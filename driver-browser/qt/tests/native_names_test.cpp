// File names between the file system's bytes and the windows' strings: every byte string
// comes back exactly, and names that are not UTF-8 show through the 8-bit code page.
#include "native_names.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <gtest/gtest.h>

using tolvane::pathFromNative;
using tolvane::pathToNative;

TEST(NativeNames, EveryOneAndTwoByteNameComesBackExactly) {
    for (int first = 1; first < 256; ++first) {
        const QByteArray one(1, static_cast<char>(first));
        ASSERT_EQ(pathToNative(pathFromNative(one)), one) << first;
        for (int second = 1; second < 256; ++second) {
            QByteArray two = one;
            two.append(static_cast<char>(second));
            ASSERT_EQ(pathToNative(pathFromNative(two)), two) << first << " " << second;
        }
    }
}

TEST(NativeNames, RandomByteStringsComeBackExactly) {
    QRandomGenerator random(11);
    for (int n = 0; n < 20000; ++n) {
        QByteArray bytes;
        const int length = static_cast<int>(random.bounded(1, 16));
        for (int i = 0; i < length; ++i) {
            // Mostly bytes that make up UTF-8 sequences, so that valid and broken runs mix.
            const quint32 pick = random.bounded(4);
            const int byte = pick == 0   ? static_cast<int>(random.bounded(1, 0x80))
                             : pick == 1 ? static_cast<int>(random.bounded(0x80, 0xC0))
                                         : static_cast<int>(random.bounded(0xC0, 0x100));
            bytes.append(static_cast<char>(byte));
        }
        ASSERT_EQ(pathToNative(pathFromNative(bytes)), bytes) << bytes.toHex().toStdString();
    }
}

TEST(NativeNames, ValidUtf8IsOrdinaryText) {
    const QString text = QString::fromUtf16(u"/home/\u00FCser/\u20AC \U0001F600/drv");
    EXPECT_EQ(pathFromNative(text.toUtf8()), text);
    EXPECT_EQ(pathToNative(text), text.toUtf8());
}

TEST(NativeNames, ShownFormUsesTheCodePageForNamesThatAreNotUtf8) {
    EXPECT_EQ(tolvane::shownName("A\xE9.drv"), QString::fromUtf16(u"A\u00E9.drv"));
    EXPECT_EQ(tolvane::shownName("A\xC3\xA9.drv"), QString::fromUtf16(u"A\u00E9.drv"));
    EXPECT_EQ(tolvane::shownPath(pathFromNative("/old/D\x80\x99/x.drv")),
              QString::fromUtf16(u"/old/D\u20AC\u2122/x.drv"));
}
