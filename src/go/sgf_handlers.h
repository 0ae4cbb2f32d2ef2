// The property handlers of the two record readers, driven by SyntaxReader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "go/node.h"
#include "go/sgf_reader.h"
#include "go/sgf_syntax.h"

namespace veld::sgf {

// Plain SGF over decoded wide text: standard escapes in every value, lower-case letters of
// identifiers ignored, a move value of a length other than 0 or 2 fails the read.
class PlainHandler {
  public:
    // recodeComments: the text was decoded with the system code page, and comments are to be
    // taken back to its bytes and decoded with the file code page.
    PlainHandler(const SgfReadOptions& options, bool recodeComments)
        : options_(options), recodeComments_(recodeComments) {}

    void property(SyntaxReader<char16_t>& r, Node& n, std::u16string_view rawId,
                  std::size_t idOffset);

    int boardSize = 19;

  private:
    const SgfReadOptions& options_;
    bool recodeComments_;
    std::string lastId_;
};

// The record dialect over bytes: a value ends at the first "]" (escapes only inside "AM"),
// hex texts, inline voice, and a move value of another length is no move.
class RecordHandler {
  public:
    explicit RecordHandler(const SgfReadOptions& options) : options_(options) {}

    void property(SyntaxReader<char>& r, Node& n, std::string_view rawId, std::size_t idOffset);

    int boardSize = 19;
    bool hasVoice = false;

  private:
    const SgfReadOptions& options_;
    std::string lastId_;
};

}  // namespace veld::sgf
