// The emoticon picker of the game room: a grid of small pictures whose choice is sent to the
// players of the game.
#pragma once

#include <string_view>

namespace veld {

class GoBrowser;
class StudyHooks;

// Sends the picture in the cell (column, row) of a grid `columns` pictures wide (picture number
// column + row * columns) with the window's game id and the user's account name, unless the
// window's game has ended. False when nothing was sent (no window, a finished game, a cell off
// the grid).
bool sendEmoticon(const GoBrowser* window, std::string_view accountName, int column, int row,
                  int columns, StudyHooks& hooks);

}  // namespace veld
