// Writing game records in the record dialect: "(;UX[1]" and the record properties at the root,
// texts as hex, marks and labels as "AM", voice inline. The text is written on one line.
#pragma once

#include <span>
#include <string>

#include "go/node.h"
#include "go/tasso.h"

namespace veld {

enum class SgfWriteMode {
    Normal = 0,           // comments, no voice
    WithVoice = 1,        // comments and voice
    WithoutComments = 2,  // neither
};

// The record under root in the record dialect. rootProperties are written at the root after
// "UX[1]" (entries keyed "AB", "AW", "AM" and "C" excepted), each value trimmed of blanks and
// control characters and without "]" (which no value of the dialect may hold outside "AM").
// Every node is renumbered 1, 2, ... in the order written. Labels are converted to
// systemCodePage.
std::string writeRecordSgf(Node& root, SgfWriteMode mode, std::span<const Tassox> rootProperties,
                           int systemCodePage = 950);

}  // namespace veld
