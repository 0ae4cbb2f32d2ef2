// The program's small pictures, drawn rather than shipped, so they stay sharp at any scale: the
// shared 16 x 16 image list of the lists and tabs, and the server icons.
#pragma once

#include <QIcon>

namespace veld::desktop {

// Entry `index` of the shared image list; an empty icon for an index it does not have.
QIcon listImage(int index);
// The icon of entry `index` of the game-server list.
QIcon serverIcon(int index);

}  // namespace veld::desktop
