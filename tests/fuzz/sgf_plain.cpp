// Arbitrary bytes through the plain SGF reader, a game at a time: no crash, no sanitizer report,
// and every game read survives writing in the record dialect and in standard SGF.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/sgf_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veld;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SgfReadOptions options;
    if (!text.empty() && text.back() == '\x01') options.fileCodePage = 949;
    int games = 0;
    const auto visit = [&](SgfReadResult& r, int) {
        ++games;
        if (r.ok()) {
            FUZZ_CHECK(r.error.empty());
            fuzz::checkStandardRoundTrip(r);
        } else {
            FUZZ_CHECK(!r.error.empty() && r.errorAt.line >= 1 && r.errorAt.column >= 1);
        }
        return games < 8;
    };
    // Plain texts only: a text marked as the dialect goes to the other target.
    if (isRecordDialect(text)) return 0;
    forEachSgfGame(text, options, visit);
    FUZZ_CHECK(games >= 1);
    SgfReadResult first = readPlainSgf(text, options);
    if (first.ok()) fuzz::checkRecordRoundTrip(first);
    return 0;
}
