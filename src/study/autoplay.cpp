#include "study/autoplay.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "go/rooms.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/ports.h"
#include "study/navigation.h"
#include "study/study_hooks.h"

namespace veld {

namespace {

constexpr std::string_view kSpeedSetting = "autoplayspeed";
constexpr std::string_view kNumbersSetting = "shownodenumber";

int speedOrDefault(int seconds) {
    return seconds < 1 ? Autoplay::kDefaultSpeed : seconds;
}

int numbersWithinRange(int n) {
    return std::clamp(n, 0, DrawingSettings::kMaxNumberedMoves);
}

template <std::size_t N>
int itemFor(const std::array<int, N>& items, int value) {
    const auto found = std::ranges::find(items, value);
    return found == items.end() ? Autoplay::kCustomItem : static_cast<int>(found - items.begin());
}

// The number typed into the number input dialog; nullopt for cancel, empty or not a number.
std::optional<int> askedNumber(StudyMenus& menus) {
    const std::optional<std::u16string> typed = menus.askNumber();
    if (!typed) return std::nullopt;
    const int n = toIntDef(wideToBig5(*typed), INT_MIN);
    if (n == INT_MIN) return std::nullopt;
    return n;
}

}  // namespace

Autoplay::Autoplay(Rooms& rooms, SettingsStore& settings, StudyHooks& hooks, StudyMenus& menus)
    : rooms_(rooms), settings_(settings), hooks_(hooks), menus_(menus) {
    speed_ = speedOrDefault(settings_.readInt(kSpeedSetting));
    rooms_.drawing().shownodenumber = numbersWithinRange(settings_.readInt(kNumbersSetting));
    menus_.checkSpeedItem(speedItemFor(speed_));
    menus_.checkMoveNumberItem(moveNumberItemFor(rooms_.drawing().shownodenumber));
}

int Autoplay::speedItemFor(int seconds) {
    return itemFor(kSpeedItems, seconds);
}

int Autoplay::moveNumberItemFor(int n) {
    return itemFor(kMoveNumberItems, n);
}

void Autoplay::playStop() {
    GoBrowser* w = rooms_.currentgobrowser();
    if (!w) return;
    hooks_.stopVoicePlayer();
    hooks_.stopVoiceRecorder();
    paused_ = false;
    const bool teacher = w->phase == Phase::ownsBoard;
    if (w->autoplaying) {
        w->autoplaying = false;
        w->mayAct = true;
        hooks_.endMultiRecordMode();
        if (teacher) {
            hooks_.setTeachingAutoplay(*w, false);
            w->showComments = false;
            teachBrocast(*w, "XY15", hooks_);
        }
        return;
    }
    w->mayAct = false;
    if (teacher) {
        hooks_.setTeachingAutoplay(*w, true);
        w->autoplayCountdown = 1;
        w->showComments = true;
        teachBrocast(*w, "XY16", hooks_);
    }
    w->autoplaying = true;
    w->autoplayEnded = false;
    hooks_.playVoice(w->current());
}

void Autoplay::toggleObserved() {
    GoBrowser* w = rooms_.currentgobrowser();
    if (!w) return;
    w->autoplaying = !w->autoplaying;
    if (w->autoplaying) w->autoplayEnded = false;
}

void Autoplay::onTick() {
    if (hooks_.loggedIn()) {
        for (int i = 0; i < rooms_.windowCount(Room::game); ++i) {
            GoBrowser& w = *rooms_.windowAt(Room::game, i);
            if (w.autoplaying && w.roomLetter == "T") gbautoplay(w);
        }
        for (int i = 0; i < rooms_.windowCount(Room::observation); ++i) {
            GoBrowser& w = *rooms_.windowAt(Room::observation, i);
            if (w.autoplaying) gbautoplay(w);
        }
    }
    // Study records replay off line too.
    if (GoBrowser* w = rooms_.shownWindow(Room::study); w && w->autoplaying) gbautoplay(*w);
}

void Autoplay::gbautoplay(GoBrowser& w) {
    if (paused_ || w.autoplayEnded) return;
    if (--w.autoplayCountdown >= 1) return;
    if (w.role == Role::study) w.saveCommentEdit();
    const bool shownNow = &w == rooms_.currentgobrowser();
    if (w.current().firstChild) {
        teachBrocast(w, "XY05" + countText(1), hooks_);
        w.step(+1);
        rooms_.updateTabicon(w, kTabIconActive);
        if (shownNow) {
            hooks_.playStoneSound();
            hooks_.playVoice(w.current());
        }
    } else {
        w.autoplaying = false;
        teachBrocast(w, "XY11", hooks_);
        const bool branched = w.nextBranch();
        w.autoplaying = true;
        if (w.current().parent) {
            hooks_.playStoneSound();
            hooks_.playVoice(w.current());
        }
        // Every variation has been played: the window rests at the root with autoplay on, unless
        // the teaching room goes on with its next record.
        if (!branched && !hooks_.loadNextRecord(w)) w.autoplayEnded = true;
    }
    w.autoplayCountdown = speed_;
}

void Autoplay::setAutoplayspeed(int seconds) {
    speed_ = speedOrDefault(seconds);
    settings_.writeInt(kSpeedSetting, speed_);
    menus_.checkSpeedItem(speedItemFor(speed_));
    GoBrowser* w = rooms_.currentgobrowser();
    if (w && w->roomLetter == "B") w->autoplayCountdown = speed_;
}

void Autoplay::setshownum(int n) {
    n = numbersWithinRange(n);
    rooms_.drawing().shownodenumber = n;
    settings_.writeInt(kNumbersSetting, n);
    menus_.checkMoveNumberItem(moveNumberItemFor(n));
    if (GoBrowser* w = rooms_.currentgobrowser()) w->redrawAll();
    if (!hooks_.loggedIn()) return;
    if (GoBrowser* room = hooks_.teachingRoomWindow())
        teachBrocast(*room, "XY17" + countText(n), hooks_);
}

void Autoplay::chooseSpeedItem(int item) {
    if (item >= 0 && item < static_cast<int>(kSpeedItems.size())) {
        setAutoplayspeed(kSpeedItems[item]);
    } else if (item == kCustomItem) {
        if (const std::optional<int> n = askedNumber(menus_)) setAutoplayspeed(*n);
    }
}

void Autoplay::chooseMoveNumberItem(int item) {
    if (item >= 0 && item < static_cast<int>(kMoveNumberItems.size())) {
        setshownum(kMoveNumberItems[item]);
    } else if (item == kCustomItem) {
        if (const std::optional<int> n = askedNumber(menus_)) setshownum(*n);
    }
}

}  // namespace veld
