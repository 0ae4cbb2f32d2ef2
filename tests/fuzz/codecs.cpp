// Arbitrary bytes through every text codec and field helper: no crash, no sanitizer report,
// and the round trips that must hold do hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "protocol/codepage.h"
#include "protocol/datetime.h"
#include "protocol/fields.h"
#include "protocol/points.h"
#include "protocol/resample.h"
#include "protocol/result_text.h"
#include "protocol/search.h"
#include "protocol/text_table.h"
#include "protocol/wire.h"

namespace {

using namespace veld;

constexpr int kCodePages[] = {950, 936, 949, 932, 874, 437, kDefaultCodePage, 1};

void codePages(std::string_view s) {
    for (int codePage : kCodePages) {
        const std::u16string w = ansiToWide(s, codePage);
        FUZZ_CHECK(w.find(u'\0') == std::u16string::npos);  // decoding stops at the first NUL
        // What the encoder writes decodes to text that encodes to the same bytes again.
        const std::string bytes = wideToAnsi(w, codePage);
        FUZZ_CHECK(wideToAnsi(ansiToWide(bytes, codePage), codePage) == bytes);
    }
    // A single-byte code page holds every byte but NUL.
    const std::string_view beforeNul = s.substr(0, s.find('\0'));
    FUZZ_CHECK(wideToAnsi(ansiToWide(s, 437), 437) == beforeNul);
    FUZZ_CHECK(big5ToWide(s, nullptr) == ansiToWide(s, 950));
}

void utf8(std::string_view s) {
    const std::u16string w = utf8ToWide(s);
    const std::string back = wideToUtf8(w);
    FUZZ_CHECK(isValidUtf8(back));
    FUZZ_CHECK(utf8ToWide(back) == w);  // the decoder never yields unpaired surrogates
    if (isValidUtf8(s)) {
        FUZZ_CHECK(back == s);
    } else {
        FUZZ_CHECK(w.find(u'\uFFFD') != std::u16string::npos);
    }
}

void wireText(std::string_view s) {
    const std::u16string units = unitsToWide(s);
    FUZZ_CHECK(units.size() == s.size() / 2);
    FUZZ_CHECK(wideToUnits(units) == s.substr(0, s.size() & ~std::size_t{1}));
    FUZZ_CHECK(hexToWide(s).size() == s.size() / 4);
    FUZZ_CHECK(hexToWide(wideToHex(units)) == units);
}

void tokens(std::string_view s) {
    // Joining the tokens with single spaces gives the text back.
    std::string joined;
    std::size_t pos = 1;
    for (bool first = true;; first = false) {
        const std::size_t before = pos;
        const std::string token = nextToken(s, pos);
        if (!first) joined += ' ';
        joined += token;
        if (pos == before) break;
        FUZZ_CHECK(pos > before && pos <= s.size() + 1);
    }
    FUZZ_CHECK(joined == s);
    if (!s.empty()) {
        std::size_t from = static_cast<unsigned char>(s[0]);
        nextToken(s, from);
    }
}

void fields(std::string_view s) {
    const std::size_t n = s.empty() ? 0 : static_cast<unsigned char>(s[0]) % 16;
    FUZZ_CHECK(padRight(s, n).size() == n);
    FUZZ_CHECK(padZero(s, n).size() == n);
    const std::string digits = digitsOrOne(s);
    FUZZ_CHECK(digits == s || digits == "1");
    toIntDef(s, 0);
    toFloatDef(s, 0.0);
    const std::u16string w = utf8ToWide(s);
    FUZZ_CHECK(flattenLines(w).size() == w.size());
    const std::u16string trimmed = trimSpacesW(w);
    FUZZ_CHECK(trimmed.empty() || (trimmed.front() != u' ' && trimmed.back() != u' '));
}

void search(std::string_view s) {
    const std::u16string text = unitsToWide(s);
    const std::u16string pattern = text.substr(0, text.size() % 5);
    bool found = false;
    for (std::size_t i = 0; i <= text.size(); ++i) found = found || matchAtW(pattern, text, i);
    FUZZ_CHECK(pattern.empty() || containsW(pattern, text) == found);
    const std::u16string list[] = {pattern, text, u"", u"x"};
    matchesWordList(text, list);
    containsListChar(text, list);
    FUZZ_CHECK(indexInListW(list, text).has_value());
}

void points(std::string_view s) {
    const std::string_view code = s.substr(0, 3);
    const BoardPoint p = pointOf(code);
    if (code.size() >= 2) FUZZ_CHECK(pointCode(p) == code.substr(0, 2));
    const std::string stone = stoneCode(code);
    FUZZ_CHECK(stone.size() == 2);
    stoneOf(code);
    FUZZ_CHECK(pointOfStone(stone).size() == 2);
    if (p.x >= 1 && p.x <= 19) FUZZ_CHECK(pointOf(pointOfStone(stone)) == p);
}

void results(std::string_view s) {
    const std::size_t third = s.size() / 3;
    resultSentence(big5ToWide(s.substr(0, third)), utf8ToWide(s.substr(third, third)),
                   s.substr(2 * third), TextTable::builtIn());
    resultSentence(u"B", u"W", s, TextTable::builtIn());
}

void dates(std::string_view s) {
    const DateTime now = 45358.5;
    const DateTime t = bytesToDateTime(s.substr(0, 8), now);
    FUZZ_CHECK(showDateTime(t, now).size() >= 20);
    stampNow(t);
    daysBetween(t, now);
    FUZZ_CHECK(secondsBetween(t, now) < 86400);
    if (const auto fields = decodeDateTime(t)) {
        const auto again = encodeDateTime(*fields);
        FUZZ_CHECK(again.has_value() && decodeDateTime(*again) == fields);
    }
    if (s.size() >= 8) FUZZ_CHECK(dateTimeToBytes(t) == s.substr(0, 8));
}

void bitmaps(std::string_view s) {
    if (s.size() < 4) return;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    Bitmap32 source{byte(0) % 9, byte(1) % 9, {}};
    Bitmap32 destination{byte(2) % 9, byte(3) % 9, {}};
    for (std::size_t i = 4; i + 3 < s.size() && source.pixels.size() < 81; i += 4)
        source.pixels.push_back(static_cast<std::uint32_t>(byte(i)) | byte(i + 1) << 8 |
                                byte(i + 2) << 16 | static_cast<std::uint32_t>(byte(i + 3)) << 24);
    source.pixels.resize(static_cast<std::size_t>(source.width * source.height));
    resampleBitmap(source, destination);
    for (std::uint32_t p : destination.pixels) FUZZ_CHECK(p >> 24 == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view s(reinterpret_cast<const char*>(data), size);
    codePages(s);
    utf8(s);
    wireText(s);
    tokens(s);
    fields(s);
    search(s);
    points(s);
    results(s);
    dates(s);
    bitmaps(s);
    return 0;
}
