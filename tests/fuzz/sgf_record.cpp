// Arbitrary bytes through the record dialect reader: no crash, no sanitizer report, and every
// game read is written back as the same tree.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/sgf_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veld;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SgfReadResult first = readRecordSgf(text);
    if (first.ok()) {
        fuzz::checkRecordRoundTrip(first);
    } else {
        FUZZ_CHECK(!first.error.empty() && first.errorAt.line >= 1);
    }
    if (isRecordDialect(text)) {
        int games = 0;
        forEachSgfGame(text, {}, [&](SgfReadResult& r, int) {
            if (r.ok()) fuzz::checkRecordRoundTrip(r);
            return ++games < 8;
        });
    }
    return 0;
}
