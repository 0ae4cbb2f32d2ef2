#include "go/sgf_collection.h"

#include "go/record_info.h"
#include "go/sgf_standard.h"
#include "go/sgf_writer.h"

namespace veld {

namespace {

SgfGameFailure failureOf(const SgfReadResult& r, int index) {
    return {index + 1, r.errorAt, r.error};
}

template <class Write>
SgfConversion convert(std::string_view text, const SgfReadOptions& options, Write write) {
    SgfConversion c;
    forEachSgfGame(text, options, [&](SgfReadResult& r, int index) {
        ++c.games;
        if (!r.ok()) {
            c.failures.push_back(failureOf(r, index));
            c.text.clear();
            return false;
        }
        const RecordInfo info = RecordInfo::fromRoot(*r.root, r.boardSize, r.hasVoice);
        c.text += write(*r.root, info);
        return true;
    });
    return c;
}

}  // namespace

SgfCheck checkSgfText(std::string_view text, const SgfReadOptions& options) {
    SgfCheck check;
    forEachSgfGame(text, options, [&](SgfReadResult& r, int index) {
        ++check.games;
        if (!r.ok()) check.failures.push_back(failureOf(r, index));
        return true;
    });
    return check;
}

SgfConversion convertToStandardSgf(std::string_view text, const SgfReadOptions& options) {
    return convert(text, options,
                   [](Node& root, const RecordInfo& info) { return writeStandardSgf(root, info); });
}

SgfConversion convertToRecordSgf(std::string_view text, const SgfReadOptions& options) {
    return convert(text, options, [&](Node& root, const RecordInfo& info) {
        return writeRecordSgf(root, SgfWriteMode::WithVoice, info.rootProperties(),
                              options.systemCodePage);
    });
}

}  // namespace veld
