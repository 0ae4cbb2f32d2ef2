#include "go/sgf_reader.h"

#include <algorithm>

#include "go/sgf_encoding.h"
#include "go/sgf_handlers.h"
#include "go/sgf_syntax.h"

namespace veld {

namespace {

using sgf::SyntaxReader;

// The end of the game tree that starts at the first "(" from start: just after the ")" that
// closes it, or the end of the text. Values are skipped whole (a backslash escapes the next
// character when escapes is set). Used to go on after a game that failed to read.
template <class Char>
std::size_t endOfTree(std::basic_string_view<Char> text, std::size_t start, bool escapes) {
    std::size_t i = text.find(Char('('), start);
    int depth = 0;
    while (i < text.size()) {
        const Char c = text[i++];
        if (c == Char('[')) {
            while (i < text.size() && text[i] != Char(']'))
                i += escapes && text[i] == Char('\\') ? 2 : 1;
            ++i;
        } else if (c == Char('(')) {
            ++depth;
        } else if (c == Char(')') && --depth == 0) {
            return i;
        }
    }
    return text.size();
}

template <class Char, class MakeHandler>
void readTrees(std::basic_string_view<Char> text, bool escapes, MakeHandler makeHandler,
               const std::function<bool(SgfReadResult&, int)>& visit) {
    std::size_t pos = 0;
    for (int index = 0;; ++index) {
        if (index > 0) {
            // Anything between two game trees is passed over.
            pos = text.find(Char('('), pos);
            if (pos == std::basic_string_view<Char>::npos) return;
        }
        const std::size_t start = pos;
        SyntaxReader<Char> reader(text, start);
        auto handler = makeHandler();
        std::unique_ptr<Node> root = reader.readGameTree(handler);
        SgfReadResult result;
        result.boardSize = handler.boardSize;
        if constexpr (requires { handler.hasVoice; }) result.hasVoice = handler.hasVoice;
        if (reader.failed()) {
            result.error = reader.message();
            result.errorAt = sgf::positionOf(text, reader.errorOffset());
            pos = std::max(endOfTree(text, start, escapes), reader.errorOffset() + 1);
        } else if (!root) {
            result.error = index == 0 ? "no game tree: no \"(\" followed by \";\""
                                      : "a game tree without a node";
            result.errorAt = sgf::positionOf(text, reader.position());
            pos = std::max(reader.position(), start + 1);
        } else {
            result.root = std::move(root);
            pos = reader.position();
        }
        if (!visit(result, index)) return;
    }
}

void readGames(std::string_view text, const SgfReadOptions& options, bool dialect,
               const std::function<bool(SgfReadResult&, int)>& visit) {
    if (text.size() > sgf::kMaxTextBytes) {
        SgfReadResult tooLarge;
        tooLarge.error = "the text is larger than 256 MiB";
        tooLarge.errorAt = {1, 1};
        visit(tooLarge, 0);
        return;
    }
    if (dialect) {
        readTrees(
            text, false, [&] { return sgf::RecordHandler(options); }, visit);
        return;
    }
    const DecodedSgfText decoded = decodePlainSgfText(text, options.systemCodePage);
    readTrees(
        std::u16string_view(decoded.text), true,
        [&] { return sgf::PlainHandler(options, !decoded.fromFile); }, visit);
}

SgfReadResult firstGame(std::string_view text, const SgfReadOptions& options, bool dialect) {
    SgfReadResult first;
    readGames(text, options, dialect, [&](SgfReadResult& r, int) {
        first = std::move(r);
        return false;
    });
    return first;
}

}  // namespace

bool isRecordDialect(std::string_view text) {
    return text.size() >= 7 && text.substr(2, 5) == "UX[1]";
}

SgfReadResult readPlainSgf(std::string_view text, const SgfReadOptions& options) {
    return firstGame(text, options, false);
}

SgfReadResult readRecordSgf(std::string_view text, const SgfReadOptions& options) {
    return firstGame(text, options, true);
}

SgfReadResult readSgf(std::string_view text, const SgfReadOptions& options) {
    return firstGame(text, options, isRecordDialect(text));
}

void forEachSgfGame(std::string_view text, const SgfReadOptions& options,
                    const std::function<bool(SgfReadResult&, int)>& visit) {
    readGames(text, options, isRecordDialect(text), visit);
}

std::vector<SgfReadResult> readSgfCollection(std::string_view text, const SgfReadOptions& options) {
    std::vector<SgfReadResult> games;
    forEachSgfGame(text, options, [&](SgfReadResult& r, int) {
        games.push_back(std::move(r));
        return true;
    });
    return games;
}

}  // namespace veld
