// Standard SGF (FF[4], UTF-8) for other programs: game information, moves and passes, setup
// stones, comments, labels, triangle and square marks, and variations.
#pragma once

#include <string>

#include "go/node.h"
#include "go/record_info.h"

namespace veld {

// The record under root as one FF[4] game tree in UTF-8, ending with a line feed. Passes are
// written as B[] and W[]; "]", "\" (and ":" in labels) are escaped. The handicap count is
// written only with black setup stones at the root.
std::string writeStandardSgf(const Node& root, const RecordInfo& info);

}  // namespace veld
