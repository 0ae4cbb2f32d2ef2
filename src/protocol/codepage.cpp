#include "protocol/codepage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>

#include "protocol/ports.h"

namespace veld {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// ---- UTF-8, by hand ------------------------------------------------------------------------

// Length of the well-formed UTF-8 sequence that starts at s[i] and its code point, or length 0
// with `bad` set to the number of bytes that form its longest invalid prefix (at least 1), so
// that a broken sequence becomes one replacement character.
struct Utf8Step {
    std::size_t length = 0;
    char32_t code = 0;
    std::size_t bad = 1;
};

Utf8Step readUtf8(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return {1, lead, 0};

    std::size_t need = 0;
    char32_t code = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2, code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3, code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return {};
    }

    Utf8Step bad{};
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= s.size()) return bad;
        const unsigned char b = byte(i + k);
        const bool ok = k == 1 ? (b >= low && b <= high) : (b >= 0x80 && b <= 0xBF);
        if (!ok) return bad;
        code = (code << 6) | (b & 0x3F);
        bad.bad = k + 1;
    }
    return {need + 1, code, 0};
}

void appendCodePoint(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
}

// ---- iconv descriptors ---------------------------------------------------------------------

enum class Direction { Decode, Encode };

const char* iconvName(int codePage) {
    switch (codePage) {
        case 950:
            return "CP950";
        case 936:
            return "CP936";
        case 949:
            return "CP949";
        case 932:
            return "CP932";
        case 874:
            return "CP874";
        case 437:
            return "CP437";
        default:
            return nullptr;
    }
}

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// Descriptors opened once per thread, code page and direction, closed when the thread ends.
// A code page whose descriptor cannot be opened is remembered as such and not retried.
class DescriptorCache {
  public:
    static constexpr std::array<int, 6> kCodePages = {950, 936, 949, 932, 874, 437};

    DescriptorCache() = default;
    DescriptorCache(const DescriptorCache&) = delete;
    DescriptorCache& operator=(const DescriptorCache&) = delete;
    ~DescriptorCache() {
        for (auto& slot : slots_) {
            if (slot.opened && slot.cd != kNoDescriptor) iconv_close(slot.cd);
        }
    }

    // The descriptor for the code page, reset to its initial state; kNoDescriptor when the code
    // page is unknown or cannot be converted on this system.
    iconv_t get(int codePage, Direction direction) {
        const char* name = iconvName(codePage);
        if (name == nullptr) return kNoDescriptor;
        std::size_t index = 0;
        while (kCodePages[index] != codePage) ++index;
        Slot& slot = slots_[index * 2 + (direction == Direction::Encode ? 1 : 0)];
        if (!slot.opened) {
            slot.opened = true;
            slot.cd = direction == Direction::Decode ? iconv_open("UTF-16LE", name)
                                                     : iconv_open(name, "UTF-16LE");
        }
        if (slot.cd != kNoDescriptor) iconv(slot.cd, nullptr, nullptr, nullptr, nullptr);
        return slot.cd;
    }

  private:
    struct Slot {
        bool opened = false;
        iconv_t cd = kNoDescriptor;
    };
    std::array<Slot, kCodePages.size() * 2> slots_{};
};

iconv_t descriptor(int codePage, Direction direction) {
    thread_local DescriptorCache cache;
    return cache.get(codePage, direction);
}

// Runs iconv over the whole input. When the input has a sequence that cannot be converted
// (invalid, truncated, or not representable in the target), onBad is told the remaining input
// and returns how many bytes to skip; the descriptor is reset and conversion goes on.
template <typename OnBad>
std::string convertAll(iconv_t cd, std::string_view in, OnBad&& onBad) {
    std::string out;
    std::array<char, 1024> buffer{};
    // iconv's interface takes a non-const input pointer; it never writes through it.
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (rc != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (a sequence cut off at the end of the input).
        std::size_t skip = onBad(std::string_view(inPtr, inLeft), out);
        if (skip == 0 || skip > inLeft) skip = 1;
        inPtr += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    // Flush any shift state (none of the supported code pages has one, but it costs nothing).
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    return out;
}

std::u16string fromUtf16Le(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return out;
}

std::string toUtf16Le(std::u16string_view w) {
    std::string out;
    out.reserve(w.size() * 2);
    for (char16_t c : w) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::u16string decodeWith(iconv_t cd, std::string_view s) {
    const std::string units = convertAll(cd, s, [](std::string_view, std::string& out) {
        out += "\xFD\xFF";  // U+FFFD, little-endian
        return std::size_t{1};
    });
    return fromUtf16Le(units);
}

std::string encodeWith(iconv_t cd, std::u16string_view w) {
    // A character the code page cannot hold is left out: a surrogate pair as a whole, any
    // other unit on its own.
    return convertAll(cd, toUtf16Le(w), [](std::string_view rest, std::string&) {
        const auto unit = [&](std::size_t k) {
            return static_cast<char16_t>(static_cast<unsigned char>(rest[k]) |
                                         static_cast<unsigned char>(rest[k + 1]) << 8);
        };
        if (rest.size() >= 4 && isHighSurrogate(unit(0)) && isLowSurrogate(unit(2)))
            return std::size_t{4};
        return std::size_t{2};
    });
}

std::string_view upToNul(std::string_view s) {
    const auto nul = s.find('\0');
    return nul == std::string_view::npos ? s : s.substr(0, nul);
}

}  // namespace

// ---- UTF-8 ---------------------------------------------------------------------------------

std::u16string utf8ToWide(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const Utf8Step step = readUtf8(s, i);
        if (step.length == 0) {
            out += kReplacement;
            i += step.bad;
        } else {
            appendCodePoint(out, step.code);
            i += step.length;
        }
    }
    return out;
}

std::string wideToUtf8(std::u16string_view w) {
    std::string out;
    out.reserve(w.size() * 3);
    for (std::size_t i = 0; i < w.size(); ++i) {
        char32_t code = w[i];
        if (isHighSurrogate(w[i]) && i + 1 < w.size() && isLowSurrogate(w[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (w[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(w[i]) || isLowSurrogate(w[i])) {
            code = kReplacement;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const Utf8Step step = readUtf8(s, i);
        if (step.length == 0) return false;
        i += step.length;
    }
    return true;
}

// ---- code pages ----------------------------------------------------------------------------

std::u16string ansiToWideOrReport(std::string_view s, int codePage, Dialogs* report) {
    s = upToNul(s);
    if (codePage == kDefaultCodePage) return utf8ToWide(s);
    const iconv_t cd = descriptor(codePage, Direction::Decode);
    if (cd != kNoDescriptor) return decodeWith(cd, s);
    std::u16string fallback = utf8ToWide(s);
    if (report != nullptr) report->showMessage(u"encodex error = " + fallback);
    return fallback;
}

std::u16string ansiToWide(std::string_view s, int codePage) {
    return ansiToWideOrReport(s, codePage, nullptr);
}

std::string wideToAnsi(std::u16string_view w, int codePage) {
    if (codePage != kDefaultCodePage) {
        const iconv_t cd = descriptor(codePage, Direction::Encode);
        if (cd != kNoDescriptor) return encodeWith(cd, w);
    }
    return wideToUtf8(w);
}

std::u16string big5ToWide(std::string_view s, Dialogs* report) {
    return ansiToWideOrReport(s, 950, report);
}

std::string wideToBig5(std::u16string_view w) {
    return wideToAnsi(w, 950);
}

}  // namespace veld
