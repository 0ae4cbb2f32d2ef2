// Reading game records: plain SGF files (any editor's, in a code page or UTF-8) and the
// program's own record dialect, which starts "(;UX[1]" and carries hex-coded texts, "AM" marks
// and inline voice. The text itself says which reader applies.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "go/node.h"

namespace veld {

// Where reading stopped, 1-based. Columns count characters of the text as read: bytes for the
// record dialect, UTF-16 code units of the decoded text for plain files.
struct TextPosition {
    int line = 0;
    int column = 0;

    bool operator==(const TextPosition&) const = default;
};

struct SgfReadOptions {
    // The system's 8-bit code page: plain files that name no encoding of their own and are not
    // UTF-8 are decoded with it, and the record dialect's labels and values are converted from it.
    int systemCodePage = 950;
    // The code page the user chose for the comments of plain files decoded with systemCodePage.
    int fileCodePage = 950;
};

struct SgfReadResult {
    // Null when the read failed.
    std::unique_ptr<Node> root;
    // The board size in force at the end of the game tree (3..19).
    int boardSize = 19;
    // A voice recording was read (record dialect only).
    bool hasVoice = false;
    // Empty when the read succeeded; otherwise why it failed, at errorAt.
    std::string error;
    TextPosition errorAt;

    bool ok() const { return root != nullptr; }
};

namespace sgf {
// Texts larger than this are refused whole.
inline constexpr std::size_t kMaxTextBytes = std::size_t{256} << 20;
// A game tree with more nodes, or more setup stones, marks and property entries taken together,
// fails to read: it bounds the memory that one small text can claim.
inline constexpr int kMaxNodesPerTree = 1'000'000;
inline constexpr std::size_t kMaxEntriesPerTree = 4'000'000;
}  // namespace sgf

// Characters 3 to 7 of the text are "UX[1]": the text is in the record dialect.
bool isRecordDialect(std::string_view text);

// The first game tree of a plain SGF text. See decodePlainSgfText for the encoding.
SgfReadResult readPlainSgf(std::string_view text, const SgfReadOptions& options = {});
// The first game tree of a record dialect text.
SgfReadResult readRecordSgf(std::string_view text, const SgfReadOptions& options = {});
// The first game tree, with the reader the text asks for.
SgfReadResult readSgf(std::string_view text, const SgfReadOptions& options = {});

// Reads every game tree of a text in turn, with the reader the text asks for, and hands each
// result to visit with its 0-based number; reading stops when visit returns false. There is
// always at least one result: a text without any game tree gives one failed result. A game that
// fails does not stop the reading: the next game starts after the failed tree's closing ")".
void forEachSgfGame(std::string_view text, const SgfReadOptions& options,
                    const std::function<bool(SgfReadResult&, int)>& visit);
std::vector<SgfReadResult> readSgfCollection(std::string_view text,
                                             const SgfReadOptions& options = {});

}  // namespace veld
