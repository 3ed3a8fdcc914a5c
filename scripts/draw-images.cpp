// Draws Tolvane's pictures and icons into driver-browser/images/.
//
// Every picture is painted here from scratch with QPainter: gradients, shapes, a few lines of
// text in the installed Liberation/DejaVu fonts. Nothing is read from disk.
//
// Build and run (from the repository root):
//   g++ -std=c++17 -fPIC scripts/draw-images.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/di
//   /tmp/di driver-browser/images
//
// Outputs (sizes are fixed by the windows that show them):
//   splash.png       461 x 220, 24-bit   background of the splash window
//   shortcut.png     150 x  72, 256 col  the main window's shortcut invitation
//   about.png        320 x 200, 24-bit   the about window's picture (with a tiny star at 229..247,
//                                        47..62, where the about window's secret spot is)
//   quillet_egg.png  400 x 300, 256 col  the hidden picture
//   icons/<name>_32.png, icons/<name>_16.png   16-colour icons with a transparent background
//
// With --packaging DIR (e.g. packaging/icons) it writes only the packages' icons instead:
//   tolvane_<size>.png   the main window's icon at 16, 32, 48, 64 and 128 pixels (the desktop's
//                        hicolor sizes)
//   pexmoor_32.png, pexmoor_16.png   Pexmoor's icon (pexmoor.exe)
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QVector>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------------
// Small deterministic random source so every run draws the same pixels.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int range(int lo, int hiInclusive) {
        return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hiInclusive - lo + 1));
    }

private:
    std::uint32_t state_;
};

// ---------------------------------------------------------------------------------------------
// Colour reduction.

// The sixteen colours of the classic VGA palette, used for every icon.
const std::array<QRgb, 16> kVga = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

QRgb nearestVga(QRgb c) {
    QRgb best = kVga[0];
    long bestDist = -1;
    for (QRgb v : kVga) {
        const long dr = qRed(c) - qRed(v);
        const long dg = qGreen(c) - qGreen(v);
        const long db = qBlue(c) - qBlue(v);
        const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = v;
        }
    }
    return best;
}

// An icon in sixteen colours plus full transparency, stored as a paletted PNG.
QImage toSixteenColours(const QImage& src) {
    const QImage argb = src.convertToFormat(QImage::Format_ARGB32);
    QVector<QRgb> table(kVga.begin(), kVga.end());
    table.push_back(qRgba(0, 0, 0, 0));
    QImage out(argb.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb c = argb.pixel(x, y);
            if (qAlpha(c) < 128) {
                out.setPixel(x, y, 16);
                continue;
            }
            const QRgb v = nearestVga(qUnpremultiply(c));
            const auto it = std::find(kVga.begin(), kVga.end(), v);
            out.setPixel(x, y, static_cast<uint>(it - kVga.begin()));
        }
    }
    return out;
}

// Median-cut palette of at most 256 colours for an opaque picture.
QVector<QRgb> medianCutPalette(const QImage& img) {
    struct Entry {
        int rgb[3];
        long count;
    };
    std::vector<long> hist(32 * 32 * 32, 0);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            ++hist[((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3)];
        }
    }
    std::vector<Entry> entries;
    for (int i = 0; i < 32 * 32 * 32; ++i) {
        if (hist[i] != 0) {
            entries.push_back(Entry{{(i >> 10) & 31, (i >> 5) & 31, i & 31}, hist[i]});
        }
    }
    struct Box {
        std::size_t begin, end;
    };
    std::vector<Box> boxes{{0, entries.size()}};
    auto spread = [&](const Box& b, int& axis) {
        int best = -1;
        for (int a = 0; a < 3; ++a) {
            int lo = 31, hi = 0;
            for (std::size_t i = b.begin; i < b.end; ++i) {
                lo = std::min(lo, entries[i].rgb[a]);
                hi = std::max(hi, entries[i].rgb[a]);
            }
            if (hi - lo > best) {
                best = hi - lo;
                axis = a;
            }
        }
        return best;
    };
    while (boxes.size() < 256) {
        // Split the box with the widest colour range (weighted a little by its population).
        int bestBox = -1, bestAxis = 0;
        double bestScore = 0;
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            if (boxes[k].end - boxes[k].begin < 2) {
                continue;
            }
            int axis = 0;
            const int s = spread(boxes[k], axis);
            long pop = 0;
            for (std::size_t i = boxes[k].begin; i < boxes[k].end; ++i) {
                pop += entries[i].count;
            }
            const double score = s * std::sqrt(static_cast<double>(pop));
            if (s > 0 && score > bestScore) {
                bestScore = score;
                bestBox = static_cast<int>(k);
                bestAxis = axis;
            }
        }
        if (bestBox < 0) {
            break;
        }
        Box b = boxes[bestBox];
        std::sort(
            entries.begin() + b.begin, entries.begin() + b.end,
            [&](const Entry& l, const Entry& r) { return l.rgb[bestAxis] < r.rgb[bestAxis]; });
        long total = 0;
        for (std::size_t i = b.begin; i < b.end; ++i) {
            total += entries[i].count;
        }
        long acc = 0;
        std::size_t mid = b.begin;
        while (mid < b.end - 1 && acc + entries[mid].count <= total / 2) {
            acc += entries[mid].count;
            ++mid;
        }
        if (mid == b.begin) {
            ++mid;
        }
        boxes[bestBox] = Box{b.begin, mid};
        boxes.push_back(Box{mid, b.end});
    }
    QVector<QRgb> palette;
    for (const Box& b : boxes) {
        double sum[3] = {0, 0, 0};
        double n = 0;
        for (std::size_t i = b.begin; i < b.end; ++i) {
            for (int a = 0; a < 3; ++a) {
                sum[a] += (entries[i].rgb[a] * 8 + 4) * static_cast<double>(entries[i].count);
            }
            n += static_cast<double>(entries[i].count);
        }
        palette.push_back(qRgb(static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n),
                               static_cast<int>(sum[2] / n)));
    }
    return palette;
}

QImage toTwoHundredFiftySixColours(const QImage& src) {
    const QImage rgb = src.convertToFormat(QImage::Format_RGB32);
    return rgb.convertToFormat(QImage::Format_Indexed8, medianCutPalette(rgb),
                               Qt::ThresholdDither | Qt::AvoidDither);
}

bool save(const QImage& img, const QString& dir, const QString& name) {
    const QString path = dir + "/" + name;
    if (!img.save(path, "PNG", 9)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%-28s %dx%d\n", qPrintable(name), img.width(), img.height());
    return true;
}

// ---------------------------------------------------------------------------------------------
// Shared drawing helpers.

QFont font(const QString& family, double pixelSize, bool bold, bool italic) {
    QFont f(family);
    f.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Outline of a line of text whose left end of the baseline is at origin.
QPainterPath textPath(const QString& text, const QFont& f, QPointF origin) {
    QPainterPath p;
    p.addText(origin, f, text);
    return p;
}

// Largest pixel size (not above maxSize) at which text fits into width.
double fittingSize(const QString& text, const QString& family, double maxSize, bool bold,
                   bool italic, double width) {
    double size = maxSize;
    while (size > 6) {
        const QFont f = font(family, size, bold, italic);
        if (textPath(text, f, QPointF()).boundingRect().width() <= width) {
            break;
        }
        size -= 1;
    }
    return size;
}

// The maker's chip mark: a dark square package with gold pins on all four sides, a notch and a
// bright die with a circuit "B" on it.
void drawChipMark(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double s = r.width();
    const int pins = 6;
    const double pinLen = s * 0.11;
    const QRectF body = r.adjusted(pinLen, pinLen, -pinLen, -pinLen);
    const double pitch = body.width() / pins;
    const double pinW = pitch * 0.45;
    QLinearGradient gold(r.topLeft(), r.bottomRight());
    gold.setColorAt(0, QColor(255, 236, 150));
    gold.setColorAt(0.5, QColor(214, 170, 60));
    gold.setColorAt(1, QColor(150, 110, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    for (int i = 0; i < pins; ++i) {
        const double c = body.left() + pitch * (i + 0.5);
        const double d = body.top() + pitch * (i + 0.5);
        p.drawRect(QRectF(c - pinW / 2, r.top(), pinW, pinLen + 1));
        p.drawRect(QRectF(c - pinW / 2, body.bottom() - 1, pinW, pinLen + 1));
        p.drawRect(QRectF(r.left(), d - pinW / 2, pinLen + 1, pinW));
        p.drawRect(QRectF(body.right() - 1, d - pinW / 2, pinLen + 1, pinW));
    }
    QLinearGradient bodyGrad(body.topLeft(), body.bottomRight());
    bodyGrad.setColorAt(0, QColor(74, 82, 96));
    bodyGrad.setColorAt(1, QColor(18, 20, 26));
    p.setBrush(bodyGrad);
    p.setPen(QPen(QColor(10, 10, 14), std::max(1.0, s * 0.012)));
    p.drawRoundedRect(body, s * 0.04, s * 0.04);
    // Pin-1 notch.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 44, 52));
    p.drawEllipse(QPointF(body.left() + body.width() * 0.14, body.top() + body.height() * 0.14),
                  body.width() * 0.05, body.width() * 0.05);
    // The die.
    const QRectF die = body.adjusted(body.width() * 0.24, body.height() * 0.24,
                                     -body.width() * 0.24, -body.height() * 0.24);
    QLinearGradient dieGrad(die.topLeft(), die.bottomRight());
    dieGrad.setColorAt(0, QColor(120, 230, 255));
    dieGrad.setColorAt(1, QColor(20, 110, 190));
    p.setBrush(dieGrad);
    p.setPen(QPen(QColor(200, 245, 255), std::max(1.0, s * 0.01)));
    p.drawRect(die);
    // A "B" drawn as a circuit trace.
    const double u = die.width() / 10;
    const QPointF o = die.topLeft();
    QPainterPath b;
    b.moveTo(o + QPointF(3 * u, 2 * u));
    b.lineTo(o + QPointF(5.6 * u, 2 * u));
    b.arcTo(QRectF(o + QPointF(4.2 * u, 2 * u), QSizeF(2.8 * u, 2.9 * u)), 90, -180);
    b.lineTo(o + QPointF(3 * u, 4.9 * u));
    b.moveTo(o + QPointF(5.6 * u, 4.9 * u));
    b.arcTo(QRectF(o + QPointF(4.0 * u, 4.9 * u), QSizeF(3.2 * u, 3.1 * u)), 90, -180);
    b.lineTo(o + QPointF(3 * u, 8 * u));
    b.lineTo(o + QPointF(3 * u, 2 * u));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(12, 30, 60), u * 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(b);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 30, 60));
    p.drawEllipse(o + QPointF(3 * u, 2 * u), u * 0.8, u * 0.8);
    p.drawEllipse(o + QPointF(3 * u, 8 * u), u * 0.8, u * 0.8);
    // Gloss across the package.
    QLinearGradient gloss(body.topLeft(), body.bottomLeft());
    gloss.setColorAt(0, QColor(255, 255, 255, 60));
    gloss.setColorAt(0.45, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRoundedRect(body, s * 0.04, s * 0.04);
    p.restore();
}

// Circuit traces: runs of horizontal and diagonal segments ending in round pads.
void drawTraces(QPainter& p, const QRectF& area, int count, std::uint32_t seed, QColor color,
                double width) {
    Lcg rnd(seed);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < count; ++i) {
        QPointF pt(area.left() + rnd.range(0, static_cast<int>(area.width())),
                   area.top() + rnd.range(0, static_cast<int>(area.height())));
        pt = QPointF(std::round(pt.x() / 8) * 8, std::round(pt.y() / 8) * 8);
        QPainterPath path;
        path.moveTo(pt);
        const int segments = rnd.range(2, 4);
        int dir = rnd.range(0, 1) ? 1 : -1;
        for (int k = 0; k < segments; ++k) {
            const double len = rnd.range(2, 7) * 8;
            if (k % 2 == 0) {
                pt += QPointF(dir * len, 0);
            } else {
                const double d = rnd.range(1, 3) * 8 * (rnd.range(0, 1) ? 1 : -1);
                pt += QPointF(dir * std::abs(d), d);
            }
            path.lineTo(pt);
        }
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setBrush(color);
        p.setPen(Qt::NoPen);
        p.drawEllipse(path.elementAt(0), width * 1.8, width * 1.8);
        p.drawEllipse(pt, width * 1.8, width * 1.8);
    }
    p.restore();
}

// A three-dimensional frame: light at top and left, dark at bottom and right.
void drawBevel(QPainter& p, const QRect& r, QColor light, QColor dark, int depth) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < depth; ++i) {
        const QRect q = r.adjusted(i, i, -i - 1, -i - 1);
        p.setPen(light);
        p.drawLine(q.topLeft(), q.topRight());
        p.drawLine(q.topLeft(), q.bottomLeft());
        p.setPen(dark);
        p.drawLine(q.bottomLeft(), q.bottomRight());
        p.drawLine(q.topRight(), q.bottomRight());
    }
    p.restore();
}

// The maker's name as a gold, outlined, shadowed word.
void drawGoldWord(QPainter& p, const QString& text, const QFont& f, QPointF baseline,
                  double shadow) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = textPath(text, f, baseline);
    const QRectF box = path.boundingRect();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawPath(path.translated(shadow, shadow));
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, QColor(255, 250, 205));
    g.setColorAt(0.45, QColor(250, 205, 80));
    g.setColorAt(0.55, QColor(214, 150, 30));
    g.setColorAt(1, QColor(255, 220, 120));
    p.setBrush(g);
    p.setPen(QPen(QColor(90, 50, 0), std::max(1.0, f.pixelSize() / 40.0)));
    p.drawPath(path);
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// The splash picture. The splash window is 459 x 219 pixels, so the last two columns and the last
// row of the 461 x 220 picture are never seen; the frame is drawn on the visible part.
QImage drawSplash() {
    const int w = 461, h = 220;
    const QRect visible(0, 0, 459, 219);
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, w * 0.35, h);
    bg.setColorAt(0, QColor(16, 40, 110));
    bg.setColorAt(0.6, QColor(6, 18, 58));
    bg.setColorAt(1, QColor(2, 6, 24));
    p.fillRect(img.rect(), bg);
    // A soft glow behind the chip.
    QRadialGradient glow(QPointF(86, 108), 120);
    glow.setColorAt(0, QColor(60, 140, 255, 110));
    glow.setColorAt(1, QColor(60, 140, 255, 0));
    p.fillRect(img.rect(), glow);
    drawTraces(p, QRectF(0, 0, w, h), 34, 7u, QColor(60, 110, 200, 90), 1.6);
    // Traces leaving the chip to the right, under the name.
    p.setPen(QPen(QColor(220, 180, 80, 170), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int i = 0; i < 3; ++i) {
        const double y = 152 + i * 11;
        QPainterPath t;
        t.moveTo(150, y);
        t.lineTo(170 + i * 12, y);
        t.lineTo(182 + i * 12, y + 12 - i * 2);
        t.lineTo(430 - i * 34, y + 12 - i * 2);
        p.setBrush(Qt::NoBrush);
        p.drawPath(t);
        p.setBrush(QColor(240, 200, 100));
        p.drawEllipse(QPointF(430 - i * 34, y + 12 - i * 2), 3.2, 3.2);
    }
    drawChipMark(p, QRectF(26, 46, 122, 122));

    const QString name = "Brisklow";
    const double size = fittingSize(name, "Liberation Serif", 86, true, true, 270);
    const QFont nameFont = font("Liberation Serif", size, true, true);
    drawGoldWord(p, name, nameFont, QPointF(170, 112), 4);
    // A rule under the name.
    QLinearGradient rule(170, 0, 440, 0);
    rule.setColorAt(0, QColor(255, 220, 120, 230));
    rule.setColorAt(1, QColor(255, 220, 120, 0));
    p.fillRect(QRectF(170, 124, 270, 2), rule);

    p.setPen(QColor(220, 232, 255));
    p.setFont(font("DejaVu Sans", 17, true, false));
    p.drawText(QPointF(174, 146), "Tolvane");
    p.setPen(QColor(150, 170, 210));
    p.setFont(font("DejaVu Sans", 12, false, false));
    const QString loading = "loading...";
    const double lw = QFontMetricsF(p.font()).horizontalAdvance(loading);
    p.drawText(QPointF(visible.right() - 12 - lw, visible.bottom() - 10), loading);

    drawBevel(p, visible, QColor(120, 160, 230), QColor(0, 0, 10), 2);
    p.end();
    return img.convertToFormat(QImage::Format_RGB888);
}

// ---------------------------------------------------------------------------------------------
// A globe: blue sphere, green land, grid lines and a highlight.
void drawGlobe(QPainter& p, QPointF c, double r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sea(c - QPointF(r * 0.35, r * 0.4), r * 1.5);
    sea.setColorAt(0, QColor(120, 190, 255));
    sea.setColorAt(0.6, QColor(20, 90, 200));
    sea.setColorAt(1, QColor(6, 30, 100));
    QPainterPath ball;
    ball.addEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(sea);
    p.drawPath(ball);
    p.setClipPath(ball);
    // Land masses, freely invented.
    auto blob = [&](std::initializer_list<QPointF> pts) {
        QPainterPath land;
        QVector<QPointF> v;
        for (const QPointF& q : pts) {
            v.push_back(c + QPointF(q.x() * r, q.y() * r));
        }
        land.moveTo((v[0] + v[1]) / 2);
        for (int i = 1; i <= v.size(); ++i) {
            const QPointF a = v[i % v.size()];
            const QPointF b = v[(i + 1) % v.size()];
            land.quadTo(a, (a + b) / 2);
        }
        QLinearGradient g(c - QPointF(r, r), c + QPointF(r, r));
        g.setColorAt(0, QColor(130, 220, 90));
        g.setColorAt(1, QColor(20, 110, 30));
        p.setBrush(g);
        p.drawPath(land);
    };
    blob({{-0.75, -0.55},
          {-0.2, -0.75},
          {0.05, -0.45},
          {-0.25, -0.1},
          {-0.1, 0.25},
          {-0.45, 0.2},
          {-0.8, -0.05}});
    blob({{-0.1, 0.35}, {0.2, 0.3}, {0.25, 0.7}, {0.0, 0.95}, {-0.2, 0.65}});
    blob({{0.3, -0.7}, {0.75, -0.55}, {0.95, -0.1}, {0.6, 0.05}, {0.35, -0.2}});
    blob({{0.55, 0.35}, {0.85, 0.3}, {0.8, 0.6}, {0.55, 0.6}});
    // Meridians and parallels.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 240, 255, 110), std::max(0.8, r / 30)));
    for (int i = -2; i <= 2; ++i) {
        const double k = std::sin(i * kPi / 6);
        p.drawEllipse(c, r * std::abs(k) + (i == 0 ? 0.01 : 0), r);
        const double y = c.y() + r * k;
        const double half = r * std::cos(i * kPi / 6);
        p.drawLine(QPointF(c.x() - half, y), QPointF(c.x() + half, y));
    }
    QRadialGradient shine(c - QPointF(r * 0.45, r * 0.5), r * 0.7);
    shine.setColorAt(0, QColor(255, 255, 255, 150));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(ball);
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 20, 70), 1.2));
    p.drawPath(ball);
    p.restore();
}

// The classic arrow pointer, tip at `tip`.
void drawArrowPointer(QPainter& p, QPointF tip, double scale) {
    const QPointF pts[] = {{0, 0}, {0, 16}, {4, 12}, {7, 18.5}, {9.5, 17.5}, {6.5, 11}, {11.5, 11}};
    QPolygonF poly;
    for (const QPointF& q : pts) {
        poly << tip + q * scale;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPolygon(poly.translated(1.5, 1.5));
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPolygon(poly);
    p.restore();
}

QImage drawShortcut() {
    const int w = 150, h = 72;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(255, 255, 255));
    bg.setColorAt(1, QColor(196, 214, 240));
    p.fillRect(img.rect(), bg);
    drawTraces(p, QRectF(64, 0, 90, h), 5, 3u, QColor(120, 150, 210, 60), 1.2);
    drawGlobe(p, QPointF(35, 36), 27);
    drawArrowPointer(p, QPointF(46, 42), 1.05);

    const QString www = "www.";
    p.setPen(QColor(0, 60, 160));
    p.setFont(font("DejaVu Sans", 12, true, false));
    p.drawText(QPointF(72, 22), www);
    const QString name = "Brisklow";
    const double size = fittingSize(name, "Liberation Serif", 22, true, true, 72);
    const QFont nf = font("Liberation Serif", size, true, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 60, 70));
    p.drawPath(textPath(name, nf, QPointF(71, 43)));
    p.setBrush(QColor(10, 30, 120));
    p.drawPath(textPath(name, nf, QPointF(70, 42)));
    // A link-style underlined invitation.
    QFont cf = font("DejaVu Sans", 10, false, false);
    cf.setUnderline(true);
    p.setFont(cf);
    p.setPen(QColor(0, 0, 230));
    p.drawText(QPointF(74, 60), "click here");

    drawBevel(p, img.rect(), QColor(255, 255, 255), QColor(64, 64, 96), 1);
    drawBevel(p, img.rect().adjusted(1, 1, -1, -1), QColor(230, 236, 250), QColor(140, 150, 180),
              1);
    p.end();
    return toTwoHundredFiftySixColours(img);
}

// ---------------------------------------------------------------------------------------------
// The about picture: the maker's mark over a dusk landscape whose fields are a circuit board.
// The about window's secret spot covers pixels 229..247 across and 47..62 down; a faint little
// egg-shaped star sits there among the other stars.
QImage drawAbout() {
    const int w = 320, h = 200;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double horizon = 138;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(12, 20, 64));
    sky.setColorAt(0.45, QColor(56, 60, 140));
    sky.setColorAt(0.8, QColor(210, 110, 120));
    sky.setColorAt(1, QColor(255, 190, 110));
    p.fillRect(QRectF(0, 0, w, horizon + 1), sky);

    // Stars: tiny dots and a few four-point sparkles in the upper sky.
    Lcg rnd(11u);
    for (int i = 0; i < 46; ++i) {
        const int x = rnd.range(2, w - 3);
        const int y = rnd.range(2, 72);
        if (x > 222 && x < 254 && y > 40 && y < 70) {
            continue; // keep the secret spot's neighbourhood uncluttered
        }
        const int a = 90 + rnd.range(0, 150) * (72 - y) / 72;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 230, a));
        p.drawEllipse(QPointF(x + 0.5, y + 0.5), 0.7, 0.7);
    }
    auto sparkle = [&](QPointF c, double r, int alpha) {
        p.setPen(QPen(QColor(255, 250, 225, alpha), 0.8));
        p.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
        p.drawLine(c - QPointF(0, r), c + QPointF(0, r));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 240, alpha));
        p.drawEllipse(c, 1.0, 1.0);
    };
    sparkle(QPointF(34.5, 16.5), 3, 200);
    sparkle(QPointF(292.5, 22.5), 3.5, 210);
    sparkle(QPointF(182.5, 12.5), 2.5, 170);
    sparkle(QPointF(120.5, 60.5), 2, 140);
    sparkle(QPointF(274.5, 74.5), 2, 130);
    // The egg star: a pale egg, 3 by 4 pixels, with a faint halo, centred in the spot.
    {
        const QPointF c(238.5, 54.5);
        QRadialGradient halo(c, 6);
        halo.setColorAt(0, QColor(255, 240, 200, 90));
        halo.setColorAt(1, QColor(255, 240, 200, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(c, 6, 6);
        QPainterPath egg;
        egg.moveTo(c + QPointF(0, -2.3));
        egg.cubicTo(c + QPointF(1.4, -2.3), c + QPointF(1.8, 0.4), c + QPointF(1.6, 1.0));
        egg.cubicTo(c + QPointF(1.4, 2.2), c + QPointF(-1.4, 2.2), c + QPointF(-1.6, 1.0));
        egg.cubicTo(c + QPointF(-1.8, 0.4), c + QPointF(-1.4, -2.3), c + QPointF(0, -2.3));
        p.setBrush(QColor(255, 246, 214));
        p.drawPath(egg);
    }

    // Setting sun.
    QRadialGradient sunGlow(QPointF(78, horizon), 60);
    sunGlow.setColorAt(0, QColor(255, 230, 150, 200));
    sunGlow.setColorAt(1, QColor(255, 200, 120, 0));
    p.setBrush(sunGlow);
    p.drawEllipse(QPointF(78, horizon), 60, 60);
    p.setBrush(QColor(255, 236, 170));
    p.drawEllipse(QPointF(78, horizon + 4), 18, 18);

    // Distant hills, far to near.
    auto hills = [&](double base, double amp, double phase, QColor top, QColor bottom) {
        QPainterPath path;
        path.moveTo(0, h);
        for (int x = 0; x <= w; x += 4) {
            const double y = base - amp * (0.6 * std::sin(x / 37.0 + phase) +
                                           0.4 * std::sin(x / 15.0 + phase * 2.3));
            path.lineTo(x, y);
        }
        path.lineTo(w, h);
        path.closeSubpath();
        QLinearGradient g(0, base - amp, 0, h);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setBrush(g);
        p.drawPath(path);
    };
    hills(128, 9, 0.8, QColor(120, 80, 130), QColor(70, 50, 100));
    hills(138, 6, 2.1, QColor(70, 50, 100), QColor(40, 36, 80));

    // The circuit-board plain in perspective.
    const QRectF board(0, horizon + 6, w, h - horizon - 6);
    QLinearGradient field(0, board.top(), 0, h);
    field.setColorAt(0, QColor(16, 60, 40));
    field.setColorAt(1, QColor(4, 30, 16));
    p.setBrush(field);
    p.drawRect(board);
    p.save();
    p.setClipRect(board);
    const QPointF vanish(160, horizon - 6);
    p.setPen(QPen(QColor(220, 180, 70, 140), 1.0));
    for (int i = -14; i <= 14; ++i) {
        p.drawLine(vanish, QPointF(160 + i * 40.0, h + 30));
    }
    for (int k = 1; k < 9; ++k) {
        const double t = std::pow(k / 8.0, 2.0);
        const double y = board.top() + t * (h - board.top());
        p.setPen(QPen(QColor(220, 180, 70, static_cast<int>(40 + 100 * t)), 1.0));
        p.drawLine(QPointF(0, y), QPointF(w, y));
    }
    // Solder pads at some crossings.
    Lcg pads(5u);
    for (int i = 0; i < 14; ++i) {
        const int k = pads.range(3, 8);
        const int col = pads.range(-7, 7);
        const double t = std::pow(k / 8.0, 2.0);
        const double y = board.top() + t * (h - board.top());
        const double x = 160 + col * 40.0 * (y - vanish.y()) / (h + 30 - vanish.y());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 215, 110, 220));
        p.drawEllipse(QPointF(x, y), 1.0 + 2.2 * t, 0.6 + 1.2 * t);
    }
    p.restore();

    // The maker's mark.
    drawChipMark(p, QRectF(36, 66, 52, 52));
    const QString name = "Brisklow";
    const double size = fittingSize(name, "Liberation Serif", 52, true, true, 196);
    drawGoldWord(p, name, font("Liberation Serif", size, true, true), QPointF(98, 108), 2.5);
    p.end();
    return img.convertToFormat(QImage::Format_RGB888);
}

// ---------------------------------------------------------------------------------------------
// The hidden picture: a cheerful painted egg with a quill in its hat, on a sunny hill. The
// window shows 399 of its 400 columns.
QPainterPath eggPath(QPointF c, double rx, double ry) {
    QPainterPath path;
    const int steps = 96;
    for (int i = 0; i <= steps; ++i) {
        const double t = 2 * kPi * i / steps;
        const double y = -std::cos(t);       // -1 top, +1 bottom
        const double widen = 1.0 + 0.16 * y; // narrower top, fuller bottom
        const QPointF q(c.x() + rx * std::sin(t) * widen, c.y() + ry * y);
        if (i == 0) {
            path.moveTo(q);
        } else {
            path.lineTo(q);
        }
    }
    path.closeSubpath();
    return path;
}

void drawFeather(QPainter& p, QPointF base, QPointF tip) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF axis = tip - base;
    const double len = std::hypot(axis.x(), axis.y());
    const QPointF dir = axis / len;
    const QPointF nrm(-dir.y(), dir.x());
    const QPointF bend = nrm * (len * 0.12);
    // Vane.
    QPainterPath vane;
    const QPointF start = base + dir * (len * 0.18);
    vane.moveTo(start);
    vane.cubicTo(start + nrm * (len * 0.2) + dir * (len * 0.2), tip + nrm * (len * 0.16) + bend,
                 tip);
    vane.cubicTo(tip - nrm * (len * 0.06) + bend * 0.5,
                 start - nrm * (len * 0.14) + dir * (len * 0.3), start);
    QLinearGradient g(base, tip);
    g.setColorAt(0, QColor(40, 150, 120));
    g.setColorAt(0.5, QColor(70, 190, 210));
    g.setColorAt(1, QColor(150, 90, 210));
    p.setPen(QPen(QColor(20, 60, 70), 1.2));
    p.setBrush(g);
    p.drawPath(vane);
    // Barbs.
    p.setClipPath(vane);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    for (int i = 1; i < 14; ++i) {
        const double t = 0.18 + 0.8 * i / 14.0;
        const QPointF q = base + axis * t + bend * std::sin(t * kPi);
        p.drawLine(q, q + nrm * (len * 0.25) + dir * (len * 0.1));
        p.drawLine(q, q - nrm * (len * 0.25) + dir * (len * 0.1));
    }
    // An eye spot near the tip.
    p.setPen(Qt::NoPen);
    const QPointF eye = base + axis * 0.8 + bend * std::sin(0.8 * kPi);
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(eye, len * 0.07, len * 0.055);
    p.setBrush(QColor(30, 40, 120));
    p.drawEllipse(eye, len * 0.035, len * 0.03);
    p.setClipping(false);
    // Shaft.
    QPainterPath shaft;
    shaft.moveTo(base);
    shaft.quadTo(base + axis * 0.5 + bend * 1.2, tip);
    p.setPen(QPen(QColor(245, 240, 225), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shaft);
    p.restore();
}

QImage drawQuilletEgg() {
    const int w = 400, h = 300;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(110, 190, 250));
    sky.setColorAt(0.7, QColor(210, 238, 255));
    p.fillRect(img.rect(), sky);
    // Sun rays from behind the egg.
    const QPointF centre(200, 168);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 24; i += 2) {
        QPainterPath ray;
        ray.moveTo(centre);
        ray.arcTo(QRectF(centre - QPointF(420, 420), QSizeF(840, 840)), i * 15.0, 15.0);
        ray.closeSubpath();
        p.setBrush(QColor(255, 255, 210, 80));
        p.drawPath(ray);
    }
    // Two puffy clouds.
    auto cloud = [&](QPointF c, double s) {
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(c, 22 * s, 12 * s);
        p.drawEllipse(c + QPointF(-18 * s, 4 * s), 14 * s, 9 * s);
        p.drawEllipse(c + QPointF(18 * s, 4 * s), 16 * s, 10 * s);
        p.drawEllipse(c + QPointF(4 * s, -8 * s), 13 * s, 10 * s);
    };
    cloud(QPointF(60, 82), 1.0);
    cloud(QPointF(340, 110), 0.85);
    // The hill.
    QPainterPath hill;
    hill.moveTo(0, h);
    hill.lineTo(0, 246);
    hill.cubicTo(110, 222, 290, 222, 400, 240);
    hill.lineTo(400, h);
    hill.closeSubpath();
    QLinearGradient grass(0, 225, 0, h);
    grass.setColorAt(0, QColor(120, 200, 70));
    grass.setColorAt(1, QColor(40, 130, 40));
    p.setBrush(grass);
    p.drawPath(hill);
    // Flowers on the hill.
    Lcg rnd(23u);
    const QColor petals[] = {QColor(255, 90, 120), QColor(255, 220, 60), QColor(255, 255, 255),
                             QColor(170, 110, 255)};
    for (int i = 0; i < 26; ++i) {
        const double x = rnd.range(8, 392);
        const double y = rnd.range(252, 292);
        if (x > 110 && x < 290 && y < 282) {
            continue;
        }
        p.setBrush(petals[rnd.range(0, 3)]);
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * kPi / 5;
            p.drawEllipse(QPointF(x + 3 * std::cos(a), y + 3 * std::sin(a)), 2.2, 2.2);
        }
        p.setBrush(QColor(250, 190, 40));
        p.drawEllipse(QPointF(x, y), 1.6, 1.6);
    }

    // Shadow, then the egg itself.
    p.setBrush(QColor(20, 80, 20, 90));
    p.drawEllipse(QPointF(204, 268), 70, 11);
    const double rx = 66, ry = 96;
    const QPointF ec(200, 170);
    const QPainterPath egg = eggPath(ec, rx, ry);
    QLinearGradient shell(0, ec.y() - ry, 0, ec.y() + ry);
    shell.setColorAt(0, QColor(255, 248, 228));
    shell.setColorAt(1, QColor(250, 228, 190));
    p.setBrush(shell);
    p.drawPath(egg);
    p.save();
    p.setClipPath(egg);
    // Painted bands on the lower half: a zigzag, a row of dots, a stripe.
    const double band = ec.y() + 40;
    p.setBrush(QColor(40, 90, 200));
    p.drawRect(QRectF(ec.x() - 100, band, 200, 20));
    QPainterPath zig;
    zig.moveTo(ec.x() - 100, band + 20);
    for (int i = 0; i <= 20; ++i) {
        zig.lineTo(ec.x() - 100 + i * 10, band + ((i % 2) ? 32 : 20));
    }
    zig.lineTo(ec.x() + 100, band + 20);
    zig.closeSubpath();
    p.drawPath(zig);
    p.setBrush(QColor(255, 215, 60));
    for (int i = 0; i < 12; ++i) {
        p.drawEllipse(QPointF(ec.x() - 88 + i * 16, band + 10), 4, 4);
    }
    p.setBrush(QColor(230, 70, 90));
    p.drawRect(QRectF(ec.x() - 100, band + 44, 200, 9));
    p.setBrush(QColor(90, 190, 110));
    p.drawRect(QRectF(ec.x() - 100, band + 59, 200, 6));
    // Shading: highlight top-left, shade bottom-right.
    QRadialGradient light(ec + QPointF(-30, -48), ry * 1.6);
    light.setColorAt(0, QColor(255, 255, 255, 150));
    light.setColorAt(0.35, QColor(255, 255, 255, 0));
    light.setColorAt(0.75, QColor(120, 80, 40, 40));
    light.setColorAt(1, QColor(90, 50, 20, 110));
    p.setBrush(light);
    p.drawRect(QRectF(ec.x() - 100, ec.y() - 110, 200, 220));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 90, 50), 1.6));
    p.drawPath(egg);
    p.setPen(Qt::NoPen);

    // The face.
    auto eye = [&](QPointF c) {
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(60, 40, 30), 1.4));
        p.drawEllipse(c, 9, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 30, 30));
        p.drawEllipse(c + QPointF(2, 2), 5, 6);
        p.setBrush(Qt::white);
        p.drawEllipse(c + QPointF(3.5, -0.5), 1.8, 1.8);
    };
    eye(ec + QPointF(-22, -22));
    eye(ec + QPointF(20, -22));
    p.setBrush(QColor(255, 130, 130, 120));
    p.drawEllipse(ec + QPointF(-38, 4), 9, 5);
    p.drawEllipse(ec + QPointF(38, 4), 9, 5);
    QPainterPath smile;
    smile.moveTo(ec + QPointF(-16, 4));
    smile.quadTo(ec + QPointF(0, 22), ec + QPointF(16, 4));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 40, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(smile);
    p.setPen(Qt::NoPen);

    // A little hat band on top with the quill tucked in.
    const QPointF top = ec - QPointF(0, ry);
    drawFeather(p, top + QPointF(14, 20), QPointF(302, 44));
    QPainterPath hat;
    hat.moveTo(top + QPointF(-34, 22));
    hat.quadTo(top + QPointF(0, -10), top + QPointF(34, 22));
    hat.quadTo(top + QPointF(0, 12), top + QPointF(-34, 22));
    QLinearGradient hatGrad(top + QPointF(0, -6), top + QPointF(0, 22));
    hatGrad.setColorAt(0, QColor(200, 50, 70));
    hatGrad.setColorAt(1, QColor(120, 20, 40));
    p.setBrush(hatGrad);
    p.setPen(QPen(QColor(80, 10, 20), 1.2));
    p.drawPath(hat);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 60));
    p.drawEllipse(top + QPointF(-2, 2), 4, 4);

    // Title, top left, in a playful outlined italic.
    const QFont tf = font("DejaVu Serif", 34, true, true);
    const QPainterPath title = textPath("Quillet Egg", tf, QPointF(18, 44));
    p.setBrush(QColor(30, 60, 140, 90));
    p.drawPath(title.translated(2.5, 2.5));
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(title);
    QLinearGradient tg(0, 14, 0, 46);
    tg.setColorAt(0, QColor(255, 120, 60));
    tg.setColorAt(1, QColor(200, 40, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(tg);
    p.drawPath(title);
    // Sparkles around the egg.
    auto twinkle = [&](QPointF c, double r) {
        QPainterPath s;
        s.moveTo(c + QPointF(0, -r));
        s.quadTo(c, c + QPointF(r, 0));
        s.quadTo(c, c + QPointF(0, r));
        s.quadTo(c, c + QPointF(-r, 0));
        s.quadTo(c, c + QPointF(0, -r));
        p.setBrush(QColor(255, 240, 120));
        p.setPen(QPen(QColor(200, 140, 20), 0.8));
        p.drawPath(s);
    };
    twinkle(QPointF(112, 128), 9);
    twinkle(QPointF(292, 170), 11);
    twinkle(QPointF(120, 196), 6);
    twinkle(QPointF(330, 72), 7);
    p.end();
    return toTwoHundredFiftySixColours(img);
}

// ---------------------------------------------------------------------------------------------
// Icons. Drawn in a 32-unit design space scaled to the target size, with antialiasing off, then
// reduced to the sixteen VGA colours with a transparent background.
QColor vga(int i) {
    return QColor(kVga[static_cast<std::size_t>(i)]);
}
enum Vga {
    Black,
    Maroon,
    Green,
    Olive,
    Navy,
    Purple,
    Teal,
    Silver,
    Gray,
    Red,
    Lime,
    Yellow,
    Blue,
    Fuchsia,
    Aqua,
    White
};

QImage iconCanvas(int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

void setupIconPainter(QPainter& p, int size) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(size / 32.0, size / 32.0);
}

// A chip's silver pins on its four sides: `count` per side, `step` apart, the top and bottom
// rows from x = firstX at y = top and y = bottom, the left and right columns from y = firstY
// at x = left and x = right.
struct ChipPins {
    int count, step, firstX, firstY, top, bottom, left, right;
};

void drawChipPins(QPainter& p, const ChipPins& pins) {
    p.setPen(Qt::NoPen);
    p.setBrush(vga(Silver));
    for (int i = 0; i < pins.count; ++i) {
        p.drawRect(QRect(pins.firstX + i * pins.step, pins.top, 2, 4));
        p.drawRect(QRect(pins.firstX + i * pins.step, pins.bottom, 2, 4));
        p.drawRect(QRect(pins.left, pins.firstY + i * pins.step, 4, 2));
        p.drawRect(QRect(pins.right, pins.firstY + i * pins.step, 4, 2));
    }
}

// Main window: a chip under a magnifying glass.
QImage iconForm1(int size) {
    QImage img = iconCanvas(size);
    QPainter p(&img);
    setupIconPainter(p, size);
    drawChipPins(p, {4, 5, 6, 7, 2, 22, 1, 23});
    p.setPen(vga(Black));
    p.setBrush(vga(Gray));
    p.drawRect(QRect(4, 5, 19, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(vga(Black));
    p.drawRect(QRect(5, 6, 18, 16));
    p.setBrush(vga(Gray));
    p.drawRect(QRect(6, 7, 2, 2));
    // Magnifier.
    p.setPen(QPen(vga(Maroon), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(24, 24), QPointF(30, 30));
    p.setPen(QPen(vga(Navy), 2));
    p.setBrush(vga(Aqua));
    p.drawEllipse(QRectF(11, 11, 14, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(vga(White));
    p.drawRect(QRect(14, 14, 3, 2));
    p.drawRect(QRect(14, 16, 2, 1));
    p.end();
    return toSixteenColours(img);
}

// Change directory: a yellow folder with a blue arrow into it.
QImage iconChangeDir(int size) {
    QImage img = iconCanvas(size);
    QPainter p(&img);
    setupIconPainter(p, size);
    p.setPen(vga(Black));
    p.setBrush(vga(Olive));
    p.drawPolygon(QPolygon({QPoint(2, 8), QPoint(11, 8), QPoint(13, 11), QPoint(27, 11),
                            QPoint(27, 27), QPoint(2, 27)}));
    p.setBrush(vga(Yellow));
    p.drawPolygon(QPolygon({QPoint(2, 27), QPoint(6, 15), QPoint(30, 15), QPoint(27, 27)}));
    p.setPen(Qt::NoPen);
    p.setBrush(vga(White));
    p.drawRect(QRect(7, 16, 21, 1));
    // Arrow.
    p.setPen(vga(Black));
    p.setBrush(vga(Blue));
    p.drawPolygon(QPolygon({QPoint(12, 1), QPoint(20, 1), QPoint(20, 7), QPoint(24, 7),
                            QPoint(16, 14), QPoint(8, 7), QPoint(12, 7)}));
    p.end();
    return toSixteenColours(img);
}

// Help: a blue book with a yellow question mark.
QImage iconHelp(int size) {
    QImage img = iconCanvas(size);
    QPainter p(&img);
    setupIconPainter(p, size);
    p.setPen(vga(Black));
    p.setBrush(vga(White));
    p.drawRect(QRect(7, 5, 21, 24));
    p.setBrush(vga(Blue));
    p.drawRect(QRect(4, 2, 21, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(vga(Navy));
    p.drawRect(QRect(5, 3, 3, 24));
    p.setPen(vga(Silver));
    p.drawLine(QPoint(8, 28), QPoint(27, 28));
    // Question mark.
    p.setPen(Qt::NoPen);
    p.setBrush(vga(Yellow));
    p.drawRect(QRect(11, 6, 10, 3));
    p.drawRect(QRect(19, 8, 3, 6));
    p.drawRect(QRect(15, 13, 6, 3));
    p.drawRect(QRect(14, 15, 3, 4));
    p.drawRect(QRect(14, 21, 3, 3));
    p.drawRect(QRect(10, 8, 3, 3));
    p.end();
    return toSixteenColours(img);
}

// About: the classic information disc, a blue "i" on white.
QImage iconAbout(int size) {
    QImage img = iconCanvas(size);
    QPainter p(&img);
    setupIconPainter(p, size);
    p.setPen(Qt::NoPen);
    p.setBrush(vga(Gray));
    p.drawEllipse(QRect(3, 3, 28, 28));
    p.setPen(QPen(vga(Black), 1));
    p.setBrush(vga(White));
    p.drawEllipse(QRect(1, 1, 27, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(vga(Blue));
    p.drawRect(QRect(13, 6, 4, 4));
    p.drawRect(QRect(11, 12, 6, 3));
    p.drawRect(QRect(13, 14, 4, 9));
    p.drawRect(QRect(11, 22, 8, 3));
    p.end();
    return toSixteenColours(img);
}

// Splash: an hourglass with yellow sand.
QImage iconSplash(int size) {
    QImage img = iconCanvas(size);
    QPainter p(&img);
    setupIconPainter(p, size);
    p.setPen(vga(Black));
    p.setBrush(vga(Maroon));
    p.drawRect(QRect(5, 1, 22, 3));
    p.drawRect(QRect(5, 28, 22, 3));
    p.setBrush(vga(White));
    p.drawPolygon(QPolygon({QPoint(8, 5), QPoint(24, 5), QPoint(24, 9), QPoint(18, 15),
                            QPoint(18, 17), QPoint(24, 23), QPoint(24, 27), QPoint(8, 27),
                            QPoint(8, 23), QPoint(14, 17), QPoint(14, 15), QPoint(8, 9)}));
    p.setPen(Qt::NoPen);
    p.setBrush(vga(Yellow));
    p.drawPolygon(QPolygon({QPoint(11, 10), QPoint(22, 10), QPoint(17, 15), QPoint(16, 15)}));
    p.drawRect(QRect(16, 15, 1, 8));
    p.drawPolygon(QPolygon({QPoint(16, 21), QPoint(23, 26), QPoint(9, 26)}));
    p.setBrush(vga(Silver));
    p.drawRect(QRect(9, 6, 2, 3));
    p.end();
    return toSixteenColours(img);
}

// Pexmoor: a processor chip with a green check mark over it.
QImage iconPexmoor(int size) {
    QImage img = iconCanvas(size);
    QPainter p(&img);
    setupIconPainter(p, size);
    drawChipPins(p, {5, 4, 7, 7, 1, 27, 1, 27});
    p.setPen(vga(Gray));
    p.setBrush(vga(Black));
    p.drawRect(QRect(4, 4, 23, 23));
    p.setPen(Qt::NoPen);
    p.setBrush(vga(Olive));
    p.drawRect(QRect(9, 9, 14, 14));
    p.setBrush(vga(Yellow));
    p.drawRect(QRect(10, 10, 12, 12));
    p.setBrush(vga(Gray));
    p.drawRect(QRect(6, 6, 2, 2));
    p.setPen(QPen(vga(Green), 5, Qt::SolidLine, Qt::SquareCap));
    p.drawPolyline(QPolygon({QPoint(9, 17), QPoint(14, 22), QPoint(26, 8)}));
    p.setPen(QPen(vga(Lime), 2, Qt::SolidLine, Qt::SquareCap));
    p.drawPolyline(QPolygon({QPoint(9, 17), QPoint(14, 22), QPoint(26, 8)}));
    p.end();
    return toSixteenColours(img);
}

// The 16 x 16 icons are drawn pixel by pixel: at that size every pixel counts. Letters name the
// VGA colours ('.' is transparent); a later layer paints over an earlier one.
int vgaIndexOfLetter(char c) {
    const char* letters = "kmgonptsarlybfcw";
    for (int i = 0; i < 16; ++i) {
        if (letters[i] == c) {
            return i;
        }
    }
    return -1;
}

QImage pixelIcon(std::initializer_list<std::array<const char*, 16>> layers) {
    QImage img = iconCanvas(16);
    for (const auto& rows : layers) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16 && rows[static_cast<std::size_t>(y)][x] != '\0'; ++x) {
                const int i = vgaIndexOfLetter(rows[static_cast<std::size_t>(y)][x]);
                if (i >= 0) {
                    img.setPixel(x, y, kVga[static_cast<std::size_t>(i)]);
                }
            }
        }
    }
    return toSixteenColours(img);
}

QImage iconChangeDir16() {
    return pixelIcon({{
                          "................",
                          "................",
                          "................",
                          "................",
                          ".kkkk...........",
                          "kwyyyk..........",
                          "kwyyyykkkkkkkkk.",
                          "kwwwwwwwwwwwwwk.",
                          "kwyyyyyyyyyyyyk.",
                          "kwyyyyyyyyyyyyk.",
                          "kwyyyyyyyyyyyyk.",
                          "kwyyyyyyyyyyyyk.",
                          "kwyyyyyyyyyyyyk.",
                          "koooooooooooooo.",
                          "kkkkkkkkkkkkkkk.",
                          "................",
                      },
                      {
                          ".......kkk......",
                          ".......kbk......",
                          ".......kbk......",
                          ".......kbk......",
                          ".....kkkbkkk....",
                          ".....kbbbbbk....",
                          "......kbbbk.....",
                          ".......kbk......",
                          "........k.......",
                          "................",
                          "................",
                          "................",
                          "................",
                          "................",
                          "................",
                          "................",
                      }});
}

QImage iconHelp16() {
    return pixelIcon({{
        ".kkkkkkkkkkkkk..",
        ".knbbbbbbbbbbbk.",
        ".knbbbyyyybbbbk.",
        ".knbbyybbyybbbk.",
        ".knbbbbbbyybbbk.",
        ".knbbbbbyybbbbk.",
        ".knbbbbyybbbbbk.",
        ".knbbbbyybbbbbk.",
        ".knbbbbbbbbbbbk.",
        ".knbbbbyybbbbbk.",
        ".knbbbbyybbbbbk.",
        ".knbbbbbbbbbbbk.",
        ".knkkkkkkkkkkkkk",
        ".knwwwwwwwwwwwsk",
        "..kkkkkkkkkkkkkk",
        "................",
    }});
}

QImage iconAbout16() {
    return pixelIcon({{
        ".....kkkkkk.....",
        "...kkwwwwwwkk...",
        "..kwwwwbbwwwak..",
        ".kwwwwwbbwwwwak.",
        ".kwwwwwwwwwwwak.",
        "kwwwwwbbbwwwwwak",
        "kwwwwwwbbwwwwwak",
        "kwwwwwwbbwwwwwak",
        "kwwwwwwbbwwwwwak",
        "kwwwwwwbbwwwwwak",
        "kwwwwwwbbwwwwwak",
        ".kwwwwbbbbwwwak.",
        ".kwwwwwwwwwwaak.",
        "..kawwwwwwaaak..",
        "...kkaaaaaakk...",
        ".....kkkkkk.....",
    }});
}

QImage iconSplash16() {
    return pixelIcon({{
        "..mmmmmmmmmmmm..",
        "..kkkkkkkkkkkk..",
        "...kswwwwwwwk...",
        "...kwyyyyyywk...",
        "....kwyyyywk....",
        ".....kwyywk.....",
        "......kyyk......",
        "......kwyk......",
        "......kwyk......",
        ".....kwwywk.....",
        "....kwwwywwk....",
        "...kwwwyyywwk...",
        "...kwyyyyyywk...",
        "...kyyyyyyyyk...",
        "..kkkkkkkkkkkk..",
        "..mmmmmmmmmmmm..",
    }});
}

QImage iconPexmoor16() {
    return pixelIcon({{
        "....s.s..s.s....",
        "....s.s..s.s....",
        "..kkkkkkkkkkkk..",
        "..kakkkkkkkkkk..",
        "sskkooooooooklss",
        "..kkoyyyyyyolg..",
        "sskkoyyyyyylgkss",
        "..kkoyyyyylgkk..",
        "..kloyyyylgokk..",
        "sskglyyylgyokkss",
        "..kkglylgyyokk..",
        "sskkoglgooookkss",
        "..kkkkgkkkkkkk..",
        "..kkkkkkkkkkkk..",
        "....s.s..s.s....",
        "....s.s..s.s....",
    }});
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // --packaging DIR: only the packages' icons (Tolvane's in the desktop's sizes, Pexmoor's).
    if (argc == 3 && QString(argv[1]) == "--packaging") {
        const QString dir = QString::fromLocal8Bit(argv[2]);
        bool ok = QDir().mkpath(dir);
        for (int size : {16, 32, 48, 64, 128}) {
            ok = ok && save(iconForm1(size), dir, QString("tolvane_%1.png").arg(size));
        }
        ok = ok && save(iconPexmoor(32), dir, "pexmoor_32.png");
        ok = ok && save(iconPexmoor16(), dir, "pexmoor_16.png");
        return ok ? 0 : 1;
    }
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("driver-browser/images");
    if (!QDir().mkpath(out + "/icons")) {
        std::fprintf(stderr, "cannot create %s/icons\n", qPrintable(out));
        return 1;
    }
    bool ok = true;
    ok &= save(drawSplash(), out, "splash.png");
    ok &= save(drawShortcut(), out, "shortcut.png");
    ok &= save(drawAbout(), out, "about.png");
    ok &= save(drawQuilletEgg(), out, "quillet_egg.png");
    ok &= save(iconForm1(32), out, "icons/form1_32.png");
    ok &= save(iconChangeDir(32), out, "icons/changedir_32.png");
    ok &= save(iconChangeDir16(), out, "icons/changedir_16.png");
    ok &= save(iconHelp(32), out, "icons/help_32.png");
    ok &= save(iconHelp16(), out, "icons/help_16.png");
    ok &= save(iconAbout(32), out, "icons/about_32.png");
    ok &= save(iconAbout16(), out, "icons/about_16.png");
    ok &= save(iconSplash(32), out, "icons/splash_32.png");
    ok &= save(iconSplash16(), out, "icons/splash_16.png");
    return ok ? 0 : 1;
}
