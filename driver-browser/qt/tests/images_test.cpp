// The pictures and icons compiled into the program: every resource path the windows use must
// hold a picture of the size its window expects, in the colour depth of its kind, and the about
// picture's little secret detail must lie inside the about window's secret click spot.
#include <QColor>
#include <QImage>
#include <QSet>
#include <QString>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Expected {
    const char* path;
    int width;
    int height;
};

const Expected kPictures[] = {
    {":/images/shortcut.png", 150, 72},
    {":/images/about.png", 320, 200},
    {":/images/splash.png", 461, 220},
    {":/images/quillet_egg.png", 400, 300},
};

const Expected kIcons[] = {
    {":/icons/form1_32.png", 32, 32},     {":/icons/changedir_32.png", 32, 32},
    {":/icons/changedir_16.png", 16, 16}, {":/icons/help_32.png", 32, 32},
    {":/icons/help_16.png", 16, 16},      {":/icons/about_32.png", 32, 32},
    {":/icons/about_16.png", 16, 16},     {":/icons/splash_32.png", 32, 32},
    {":/icons/splash_16.png", 16, 16},
};

// The classic sixteen-colour palette.
const QRgb kSixteen[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                         0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

QImage load(const char* path) {
    return QImage(QString::fromLatin1(path)).convertToFormat(QImage::Format_ARGB32);
}

QSet<QRgb> opaqueColours(const QImage& img) {
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) == 255) {
                colours.insert(c & 0xFFFFFF);
            }
        }
    }
    return colours;
}

int countAlpha(const QImage& img, int alpha) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            n += qAlpha(img.pixel(x, y)) == alpha ? 1 : 0;
        }
    }
    return n;
}

int luminance(QRgb c) {
    return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000;
}

TEST(Images, EveryPictureHasItsWindowsSizeAndIsOpaque) {
    for (const Expected& e : kPictures) {
        SCOPED_TRACE(e.path);
        const QImage img = load(e.path);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.width(), e.width);
        EXPECT_EQ(img.height(), e.height);
        EXPECT_EQ(countAlpha(img, 255), e.width * e.height);
    }
}

TEST(Images, PicturesOfTwoHundredFiftySixColoursUseAtMostThatMany) {
    for (const char* path : {":/images/shortcut.png", ":/images/quillet_egg.png"}) {
        SCOPED_TRACE(path);
        const QImage img = load(path);
        ASSERT_FALSE(img.isNull());
        const int n = static_cast<int>(opaqueColours(img).size());
        EXPECT_LE(n, 256);
        EXPECT_GT(n, 16); // a real picture, not a flat fill
    }
}

TEST(Images, FullColourPicturesAreRichInColour) {
    for (const char* path : {":/images/splash.png", ":/images/about.png"}) {
        SCOPED_TRACE(path);
        EXPECT_GT(opaqueColours(load(path)).size(), 256);
    }
}

TEST(Images, EveryIconHasItsSizeAndOnlyTheSixteenColours) {
    const QSet<QRgb> palette(std::begin(kSixteen), std::end(kSixteen));
    for (const Expected& e : kIcons) {
        SCOPED_TRACE(e.path);
        const QImage img = load(e.path);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.width(), e.width);
        EXPECT_EQ(img.height(), e.height);
        const int opaque = countAlpha(img, 255);
        const int clear = countAlpha(img, 0);
        EXPECT_EQ(opaque + clear, e.width * e.height) << "half-transparent pixels";
        EXPECT_GT(clear, 0) << "an icon has a transparent background";
        EXPECT_GT(opaque, e.width * e.height / 3) << "an icon fills a good part of its square";
        for (QRgb c : opaqueColours(img)) {
            EXPECT_TRUE(palette.contains(c)) << std::hex << c;
        }
    }
}

TEST(Images, IconsAreDistinctFromEachOther) {
    std::vector<QImage> images;
    for (const Expected& e : kIcons) {
        images.push_back(load(e.path));
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        for (std::size_t j = i + 1; j < images.size(); ++j) {
            EXPECT_NE(images[i], images[j]) << kIcons[i].path << " and " << kIcons[j].path;
        }
    }
}

// The about window's secret click spot covers pixels 229..247 across and 47..62 down. Around it
// the sky is plain; the one detail that stands out from the sky in the neighbourhood must sit
// entirely inside the spot, so that clicking on it hits the spot.
TEST(Images, AboutPictureHidesItsDetailInsideTheSecretSpot) {
    const QImage img = load(":/images/about.png");
    ASSERT_EQ(img.size(), QSize(320, 200));
    const int left = 223, right = 253, top = 41, bottom = 69;
    int detail = 0;
    int outside = 0;
    for (int y = top; y <= bottom; ++y) {
        std::vector<int> row;
        for (int x = left; x <= right; ++x) {
            row.push_back(luminance(img.pixel(x, y)));
        }
        std::vector<int> sorted = row;
        std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
        const int sky = sorted[sorted.size() / 2];
        for (int x = left; x <= right; ++x) {
            if (row[static_cast<std::size_t>(x - left)] - sky > 40) {
                const bool inSpot = x >= 229 && x <= 247 && y >= 47 && y <= 62;
                (inSpot ? detail : outside) += 1;
            }
        }
    }
    EXPECT_GT(detail, 0) << "no detail marks the secret spot";
    EXPECT_EQ(outside, 0) << "the detail spills out of the secret spot";
    EXPECT_LT(detail, 19 * 16 / 3) << "the detail should be small and subtle";
}

TEST(Images, MissingResourceLoadsAsNull) {
    EXPECT_TRUE(QImage(":/images/no_such_picture.png").isNull());
}

} // namespace
