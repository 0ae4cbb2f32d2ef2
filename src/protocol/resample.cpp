#include "protocol/resample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace veld {

namespace {

std::size_t area(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// The weight of source index k inside a span; the first index wins when it is also the last.
double weightAt(const SpanWeights& span, int k) {
    if (k == span.first) return span.firstWeight;
    if (k == span.last) return span.lastWeight;
    return 1.0;
}

}  // namespace

bool Bitmap32::isValid() const {
    return width > 0 && height > 0 && pixels.size() == area(width, height);
}

std::optional<SpanWeights> spanWeights(int destSize, int sourceSize, int i) {
    if (destSize <= 0 || sourceSize <= 0 || i < 0 || i >= destSize) return std::nullopt;
    // Exact rational arithmetic: start = i*S/D and end = (i+1)*S/D.
    const long long d = destSize;
    const long long startNum = static_cast<long long>(i) * sourceSize;
    const long long endNum = startNum + sourceSize;

    SpanWeights span;
    span.first = static_cast<int>(startNum / d);
    span.firstWeight = 1.0 - static_cast<double>(startNum % d) / static_cast<double>(d);
    if (endNum % d != 0) {
        span.last = static_cast<int>(endNum / d);
        span.lastWeight = static_cast<double>(endNum % d) / static_cast<double>(d);
    } else {
        span.last = static_cast<int>(endNum / d - 1);
        span.lastWeight = 1.0;
    }
    if (span.first == span.last) {
        const double covered = span.firstWeight - (1.0 - span.lastWeight);
        span.firstWeight = covered;
        span.lastWeight = covered;
    }
    return span;
}

bool resampleBitmap(const Bitmap32& source, Bitmap32& destination) {
    const std::size_t size = area(destination.width, destination.height);
    destination.pixels.assign(size, 0);
    if (!source.isValid()) return false;

    for (int dy = 0; dy < destination.height; ++dy) {
        const SpanWeights rows = *spanWeights(destination.height, source.height, dy);
        for (int dx = 0; dx < destination.width; ++dx) {
            const SpanWeights columns = *spanWeights(destination.width, source.width, dx);
            std::array<double, 3> sums{};
            double total = 0;
            for (int sy = rows.first; sy <= rows.last; ++sy) {
                const double rowWeight = weightAt(rows, sy);
                const std::size_t rowStart =
                    static_cast<std::size_t>(sy) * static_cast<std::size_t>(source.width);
                for (int sx = columns.first; sx <= columns.last; ++sx) {
                    const double w = rowWeight * weightAt(columns, sx);
                    const std::uint32_t p = source.pixels[rowStart + static_cast<std::size_t>(sx)];
                    for (std::size_t c = 0; c < sums.size(); ++c)
                        sums[c] += w * static_cast<double>((p >> (8 * c)) & 0xFF);
                    total += w;
                }
            }
            std::uint32_t out = 0;
            for (std::size_t c = 0; c < sums.size(); ++c) {
                // nearbyint rounds ties to even in the default rounding mode.
                const double v = std::clamp(std::nearbyint(sums[c] / total), 0.0, 255.0);
                out |= static_cast<std::uint32_t>(v) << (8 * c);
            }
            destination
                .pixels[static_cast<std::size_t>(dy) * static_cast<std::size_t>(destination.width) +
                        static_cast<std::size_t>(dx)] = out;
        }
    }
    return true;
}

}  // namespace veld
