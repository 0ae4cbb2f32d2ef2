#include "study/emoticons.h"

#include <string>

#include "go/go_browser.h"
#include "protocol/wire.h"
#include "study/study_hooks.h"

namespace veld {

bool sendEmoticon(const GoBrowser* window, std::string_view accountName, int column, int row,
                  int columns, StudyHooks& hooks) {
    if (!window || window->role == Role::finished) return false;
    if (columns < 1 || column < 0 || column >= columns || row < 0) return false;
    const long long picture = column + static_cast<long long>(row) * columns;
    if (picture > 0xFFFF) return false;
    std::string text = "PGP" + window->gameId;
    text += accountName;
    text += wordToBytes(static_cast<std::uint32_t>(picture));
    hooks.sendToServer(text);
    return true;
}

}  // namespace veld
