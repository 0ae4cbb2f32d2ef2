// The right-click menu of a study window: counting a position (marking dead stones, counting,
// undoing the marks) and turning the record a quarter turn.
#pragma once

#include <string_view>

namespace veld {

class Dialogs;
class GoBrowser;

enum class StudyMenuItem {
    explainCounting,  // "預判輸贏說明": how counting works, in an information box
    markDead,         // "提子": left clicks on stones take their groups off as dead
    undoLastDead,     // "復原": the group taken off last comes back
    count,            // "點空": counts, and shows the result in an information box
    undoAllDead,      // "回復原形": every dead group back, the territory marks wiped
    rotate,           // "旋轉90度": the record turned a quarter turn clockwise
};

// The items in menu order.
inline constexpr StudyMenuItem kStudyMenuItems[] = {
    StudyMenuItem::explainCounting, StudyMenuItem::markDead,    StudyMenuItem::undoLastDead,
    StudyMenuItem::count,           StudyMenuItem::undoAllDead, StudyMenuItem::rotate,
};

std::u16string_view studyMenuCaption(StudyMenuItem item);

// Runs the item on the window. Marking dead stones lasts until the count or "回復原形"; turning
// the record first puts every dead group back, since the groups were marked on the old
// position.
void runStudyMenuItem(GoBrowser& window, StudyMenuItem item, Dialogs& boxes);

}  // namespace veld
