#include "go/board_sets.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <utility>

namespace veld {

namespace {

constexpr double kTau = 2 * std::numbers::pi;
// The texture's pattern repeats every kPeriod pixels, so its last column and row are its first
// ones again (copies are laid one pixel over each other).
constexpr int kPeriod = kBoardTextureSide - 1;

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

constexpr Colour colourOf(Rgb rgb) {
    return {static_cast<double>((rgb >> 16) & 0xFF), static_cast<double>((rgb >> 8) & 0xFF),
            static_cast<double>(rgb & 0xFF)};
}

Colour mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint32_t toPixel(Colour c) {
    auto channel = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 255.0)));
    };
    return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u ^ x * 0x85EBCA77u ^ y * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// A value in [0, 1] fixed by x, y and seed.
double hash01(int x, int y, std::uint32_t seed) {
    return hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) / 4294967295.0;
}

int wrap(int i, int n) {
    const int r = i % n;
    return r < 0 ? r + n : r;
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

double fade(double t) {
    return t * t * (3 - 2 * t);
}

// Smooth value noise in [-1, 1] over a lattice of cellsX x cellsY values that wraps around, so
// the noise repeats whenever u or v grows by 1.
double periodicNoise(double u, double v, int cellsX, int cellsY, std::uint32_t seed) {
    const double fx = u * cellsX;
    const double fy = v * cellsY;
    const double x0 = std::floor(fx);
    const double y0 = std::floor(fy);
    const double tx = fade(fx - x0);
    const double ty = fade(fy - y0);
    const int ix = wrap(static_cast<int>(x0), cellsX);
    const int iy = wrap(static_cast<int>(y0), cellsY);
    const int jx = (ix + 1) % cellsX;
    const int jy = (iy + 1) % cellsY;
    auto at = [seed](int x, int y) { return 2 * hash01(x, y, seed) - 1; };
    return lerp(lerp(at(ix, iy), at(jx, iy), tx), lerp(at(ix, jy), at(jx, jy), tx), ty);
}

// Octaves of periodic noise, each twice as fine and half as strong; within [-1, 1].
double periodicFbm(double u, double v, int cellsX, int cellsY, int octaves, std::uint32_t seed) {
    double sum = 0;
    double total = 0;
    double amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude *
               periodicNoise(u, v, cellsX << i, cellsY << i, seed + static_cast<std::uint32_t>(i));
        total += amplitude;
        amplitude /= 2;
    }
    return sum / total;
}

// The texture's pixels from a pattern of (u, v), the place within one period in [0, 1), and
// the pixel itself (for per-pixel grit).
template <typename Pattern>
Bitmap32 texture(Pattern&& pattern) {
    Bitmap32 t{kBoardTextureSide, kBoardTextureSide,
               std::vector<std::uint32_t>(kBoardTextureSide * kBoardTextureSide)};
    for (int y = 0; y < kBoardTextureSide; ++y) {
        const int py = y % kPeriod;
        for (int x = 0; x < kBoardTextureSide; ++x) {
            const int px = x % kPeriod;
            t.pixels[static_cast<std::size_t>(y * kBoardTextureSide + x)] = toPixel(pattern(
                static_cast<double>(px) / kPeriod, static_cast<double>(py) / kPeriod, px, py));
        }
    }
    return t;
}

Colour addGrit(Colour c, int px, int py, std::uint32_t seed, double strength) {
    const double grit = (hash01(px, py, seed) - 0.5) * strength;
    return {c.r + grit, c.g + grit, c.b + grit};
}

// Straight-grained wood: thin dark growth lines running along x, drifting slowly across the
// board, some stronger than others, with fine streaks along the grain between them.
struct WoodLook {
    Rgb light;
    Rgb dark;
    int rings;      // growth lines across one period
    double drift;   // how far a line wanders, in periods
    double figure;  // how dark the strongest lines get
    std::uint32_t seed;
};

Bitmap32 woodTexture(const WoodLook& look) {
    const Colour light = colourOf(look.light);
    const Colour dark = colourOf(look.dark);
    return texture([&](double u, double v, int px, int py) {
        const double along = v + look.drift * periodicFbm(u, v, 1, 2, 2, look.seed);
        const double ring =
            look.rings * along + 0.25 * periodicNoise(u, v, 2, look.rings, look.seed + 7);
        // A growth line: narrow and dark, in a wider soft shadow.
        const double crest = 0.5 + 0.5 * std::cos(kTau * ring);
        const double crest2 = crest * crest;
        const double crest4 = crest2 * crest2;
        const double line = crest4 * crest4 * crest2 + 0.25 * crest2;
        const double strength =
            0.45 + 0.55 * (0.5 + 0.5 * periodicNoise(u, v, 2, look.rings, look.seed + 9));
        const double fine = 0.5 + 0.5 * std::sin(kTau * 3 * ring);
        const double streak = 0.5 + 0.5 * periodicNoise(u, v, 4, 110, look.seed + 11);
        const double broad = 0.5 + 0.5 * periodicNoise(u, v, 1, 3, look.seed + 13);
        const double t =
            look.figure * strength * line + 0.08 * fine * fine + 0.18 * streak + 0.14 * broad;
        return addGrit(mix(light, dark, std::clamp(t, 0.0, 1.0)), px, py, look.seed + 17, 7);
    });
}

// Laminated bamboo: strips along x of slightly different tone with a thin joint between them,
// straight fibres and here and there a darker node across a strip.
Bitmap32 bambooTexture() {
    constexpr int kStrips = 6;
    constexpr double kStripPixels = static_cast<double>(kPeriod) / kStrips;
    constexpr std::uint32_t kSeed = 41;
    const Colour light = colourOf(0xEEDFAE);
    const Colour dark = colourOf(0xC4A868);
    return texture([&](double u, double v, int px, int py) {
        // The copies meet in the middle of a strip, where only fibres run across.
        const double across = v * kStrips + 0.5;
        const double within = across - std::floor(across);
        const int strip = wrap(static_cast<int>(across), kStrips);
        const double tone = 0.22 * hash01(strip, 0, kSeed);
        const double edge = std::min(within, 1 - within) * kStripPixels;
        const double joint = std::exp(-edge * edge / 0.8);
        const double nodeAt = hash01(strip, 1, kSeed);
        const double nodeGap = std::min(std::abs(u - nodeAt), 1 - std::abs(u - nodeAt)) * kPeriod;
        const double node = 0.35 * std::exp(-nodeGap * nodeGap / 6);
        const double fibre = 0.5 + 0.5 * periodicNoise(u, v, 3, 128, kSeed + 1);
        const double t = tone + 0.22 * fibre + 0.45 * joint + node;
        return addGrit(mix(light, dark, std::clamp(t, 0.0, 1.0)), px, py, kSeed + 2, 6);
    });
}

struct Vec {
    double x;
    double y;
    double z;
};

Vec normalised(Vec v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// A stone lit from the upper left: diffuse shading of a lens-shaped body, a bright highlight
// and, for glass, a broad soft reflection.
struct StoneLook {
    Rgb body;
    double ambient;
    double diffuse;
    double highlight;
    double shininess;
    double sheen;        // glass: a wide faint reflection around the highlight
    double roughness;    // slate: per-pixel grain
    double growthLines;  // shell: depth of the parallel growth lines
    Rgb rim;             // outside the circle: a soft edge once scaled down
    std::uint32_t seed;
};

Bitmap32 stonePicture(const StoneLook& look) {
    constexpr int side = kStonePictureSide;
    constexpr double half = side / 2.0;
    const Vec light = normalised({-0.45, -0.55, 1.0});
    const Vec halfway = normalised({light.x, light.y, light.z + 1});
    const Colour body = colourOf(look.body);
    const std::uint32_t rim = toPixel(colourOf(look.rim));
    Bitmap32 stone{side, side, std::vector<std::uint32_t>(side * side, rim)};
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const double dx = (x + 0.5 - half) / half;
            const double dy = (y + 0.5 - half) / half;
            const double r2 = dx * dx + dy * dy;
            if (r2 >= 1) continue;
            // A lens rather than a ball: its sides slope less than a sphere's.
            const Vec normal = normalised({0.8 * dx, 0.8 * dy, std::sqrt(1 - r2)});
            const double facing = std::max(0.0, dot(normal, light));
            const double toward = std::max(0.0, dot(normal, halfway));
            double shade = look.ambient + look.diffuse * facing;
            if (look.growthLines > 0) {
                const double across = 0.94 * dy + 0.34 * dx + 0.05 * std::sin(3 * dx);
                const double line = 0.5 + 0.5 * std::sin(kTau * 11 * across);
                shade *= 1 - look.growthLines * line * line;
            }
            if (look.roughness > 0) shade *= 1 + look.roughness * (hash01(x, y, look.seed) - 0.5);
            const double gloss = 255 * (look.highlight * std::pow(toward, look.shininess) +
                                        look.sheen * std::pow(toward, 4));
            stone.pixels[static_cast<std::size_t>(y * side + x)] =
                toPixel({body.r * shade + gloss, body.g * shade + gloss, body.b * shade + gloss});
        }
    }
    return stone;
}

constexpr Rgb kBlackRim = 0x0C0C0C;
constexpr Rgb kWhiteRim = 0x6E6E6E;

// Matte black slate and white shell with faint growth lines.
constexpr StoneLook kSlate{0x28282A, 0.55, 0.6, 0.07, 6, 0, 0.12, 0, kBlackRim, 101};
constexpr StoneLook kShell{0xF2F0E8, 0.62, 0.42, 0.05, 10, 0, 0, 0.05, kWhiteRim, 102};
// Glass: darker and lighter bodies with a bright highlight.
constexpr StoneLook kBlackGlass{0x161618, 0.6, 0.5, 0.55, 40, 0.06, 0, 0, kBlackRim, 103};
constexpr StoneLook kWhiteGlass{0xF6F6F4, 0.6, 0.45, 0.35, 30, 0.04, 0, 0, kWhiteRim, 104};

}  // namespace

SetPictures builtInSet(BoardSet set) {
    switch (set) {
        case BoardSet::a:
            return {woodTexture({0xEBCA8E, 0xC89858, 18, 0.03, 0.55, 1}), stonePicture(kSlate),
                    stonePicture(kShell)};
        case BoardSet::b:
            return {woodTexture({0xE6B566, 0xB47C30, 22, 0.03, 0.6, 2}), stonePicture(kBlackGlass),
                    stonePicture(kWhiteGlass)};
        case BoardSet::c:
            return {woodTexture({0xA8583A, 0x682A18, 24, 0.03, 0.65, 3}), stonePicture(kBlackGlass),
                    stonePicture(kWhiteGlass)};
        case BoardSet::d:
            return {bambooTexture(), stonePicture(kSlate), stonePicture(kShell)};
        case BoardSet::ownColour:
            break;
    }
    return {};
}

void useBoardSet(BoardPictures& pictures, BoardSet set) {
    if (set == BoardSet::ownColour) return;
    SetPictures p = builtInSet(set);
    pictures.usePictures(std::move(p.texture), std::move(p.blackStone), std::move(p.whiteStone));
}

}  // namespace veld
