// Whole texts of game records, one game tree after another: checking every game, and converting
// every game to standard SGF or to the record dialect.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "go/sgf_reader.h"

namespace veld {

struct SgfGameFailure {
    int game = 0;  // 1-based number of the game tree in the text
    TextPosition at;
    std::string reason;
};

struct SgfCheck {
    int games = 0;
    std::vector<SgfGameFailure> failures;
};

// Reads every game tree of the text as the client would, keeping only what failed.
SgfCheck checkSgfText(std::string_view text, const SgfReadOptions& options);

struct SgfConversion {
    std::string text;  // the converted games, one after another
    int games = 0;
    // The game that failed to read, if one did: the conversion stops there and text is empty.
    std::vector<SgfGameFailure> failures;

    bool ok() const { return failures.empty(); }
};

// Every game tree as standard SGF (FF[4], UTF-8), each on its own lines.
SgfConversion convertToStandardSgf(std::string_view text, const SgfReadOptions& options);
// Every game tree in the record dialect, with voice, one directly after another.
SgfConversion convertToRecordSgf(std::string_view text, const SgfReadOptions& options);

}  // namespace veld
