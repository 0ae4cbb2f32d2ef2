// Area-weighted resampling of 32-bit pixel buffers, used to scale the board and stone pictures.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace veld {

// Row-major pixels, pixels[y * width + x]; colour bytes in bits 0-7, 8-15 and 16-23.
struct Bitmap32 {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    // True when both sizes are positive and pixels holds exactly width * height values.
    bool isValid() const;
};

// The source pixels that destination index i covers along one axis: the span
// [i*S/D, (i+1)*S/D) runs from pixel `first` (covered by firstWeight) to pixel `last` (covered
// by lastWeight), the pixels between being covered fully. When first == last, both weights are
// the covered fraction of that one pixel.
struct SpanWeights {
    int first = 0;
    double firstWeight = 0;
    int last = 0;
    double lastWeight = 0;

    bool operator==(const SpanWeights&) const = default;
};

// nullopt unless destSize and sourceSize are positive and 0 <= i < destSize.
std::optional<SpanWeights> spanWeights(int destSize, int sourceSize, int i);

// Fills destination (keeping its width and height) with the area-weighted mean of the source
// pixels each destination pixel covers; each colour byte is rounded to nearest, ties to even,
// and the fourth byte is 0. Returns false, and fills the destination with 0, when the source
// is not valid. A destination with a size of 0 or less ends with no pixels.
bool resampleBitmap(const Bitmap32& source, Bitmap32& destination);

}  // namespace veld
