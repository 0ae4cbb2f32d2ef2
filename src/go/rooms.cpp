#include "go/rooms.h"

#include <algorithm>
#include <utility>

#include "protocol/text_table.h"

namespace veld {

Rooms::Rooms(Shell& shell, const TextTable& texts) : shell_(shell), texts_(texts) {}

Rooms::Rooms(Shell& shell) : Rooms(shell, TextTable::builtIn()) {}

void Rooms::attachRoom(Room room, RoomViews views, RoomTabs* tabs, std::optional<Page> page) {
    RoomState& st = state(room);
    st.views = views;
    st.tabs = tabs;
    st.page = page;
}

void Rooms::addShownListener(ShownListener listener) {
    shownListeners_.push_back(std::move(listener));
}

std::unique_ptr<GoBrowser> Rooms::newWindow() const {
    return std::make_unique<GoBrowser>(drawing_, texts_);
}

void Rooms::notifyShown(GoBrowser& window, Room room) {
    for (const ShownListener& listener : shownListeners_) listener(window, room);
}

// The window shown in the room stops being shown; it keeps what its text pane holds.
void Rooms::leave(Room room) {
    RoomState& st = state(room);
    GoBrowser* w = st.shown;
    if (!w) return;
    if (w->views.textPane) w->chatText = w->views.textPane->text();
    w->isShown = false;
    st.shown = nullptr;
}

void Rooms::show(GoBrowser& window, Room room) {
    RoomState& st = state(room);
    window.views = st.views;
    window.isShown = true;
    st.shown = &window;
    current_ = &window;
}

// The window's board drawn as it stands, its player list, and a cleared comment pane.
void Rooms::refresh(GoBrowser& window) {
    if (window.views.board) {
        window.views.board->setupBoard(window.boardSize());
        for (const Tgp& p : window.board().occupiedPoints())
            window.views.board->drawStone(p.x, p.y, p.colour);
    }
    window.refreshPlayers();
    if (window.showComments && window.views.textPane) window.views.textPane->clear();
}

GoBrowser& Rooms::createGoTab(std::unique_ptr<GoBrowser> window, std::u16string_view caption,
                              TabKind kind, Role role, Room room) {
    RoomState& st = state(room);
    GoBrowser& w = *window;
    if (st.shown && st.shown->role == Role::study && st.shown->autoplaying) st.shown->mayAct = true;
    leave(room);
    if (!st.tabs) {
        // A page without tabs shows one window: the one before is closed.
        for (const auto& old : st.windows)
            if (current_ == old.get()) current_ = nullptr;
        st.windows.clear();
    }
    w.blackIcon = kBlackPlayerIcon;
    w.whiteIcon = kWhitePlayerIcon;
    w.autoplaying = false;
    w.autoplayEnded = false;
    w.tool = Tool::play;
    w.role = role;
    show(w, room);
    if (st.views.moveNumber) st.views.moveNumber->setCaption(u"");
    if (st.views.textPane) st.views.textPane->clear();
    st.windows.push_back(std::move(window));
    if (st.tabs) {
        st.tabs->addTab(caption, w.tabIcon);
        st.tabs->selectTab(static_cast<int>(st.windows.size()) - 1);
    }
    if (st.page) {
        shell_.setPageVisible(*st.page, true);
        if (!shell_.isPageActive(*st.page) || st.windows.size() == 1) shell_.showPage(*st.page);
    }
    switch (kind) {
        case TabKind::newIgame:
            refresh(w);
            updateTabicon(w, w.mayAct ? kTabIconActive : kTabIconWaiting);
            break;
        case TabKind::obgame:
            w.redrawAll();
            w.mayAct = false;
            updateTabicon(w, kTabIconActive);
            w.updateToPlay();
            break;
        case TabKind::newSGF:
            refresh(w);
            w.mayAct = true;
            w.showComments = true;
            w.toPlay = kBlack;
            w.phase = Phase::none;
            break;
        case TabKind::oldSGF:
            refresh(w);
            w.mayAct = true;
            w.phase = Phase::none;
            w.showComments = true;
            w.goToStart();
            w.refreshPlayers();
            w.updateToPlay();
            break;
        case TabKind::marksgf:
            refresh(w);
            w.phase = Phase::none;
            w.mayAct = false;
            w.showComments = true;
            break;
        case TabKind::other:
            refresh(w);
            w.mayAct = true;
            break;
    }
    notifyShown(w, room);
    return w;
}

void Rooms::selectTab(Room room, int index) {
    RoomState& st = state(room);
    if (index < 0 || index >= static_cast<int>(st.windows.size())) return;
    GoBrowser& w = *st.windows[static_cast<std::size_t>(index)];
    if (st.shown == &w) {
        current_ = &w;
        return;
    }
    if (st.shown && room == Room::study) st.shown->mayAct = true;
    leave(room);
    show(w, room);
    notifyShown(w, room);
    w.redrawAll();
    if (room == Room::observation && w.role != Role::finished) {
        updateTabicon(w, kTabIconWaiting);
        if (st.views.players) st.views.players->setTextColour(kTextBlack);
    }
}

std::unique_ptr<GoBrowser> Rooms::closeTab(const GoBrowser& window) {
    for (std::size_t r = 0; r < kRoomCount; ++r) {
        RoomState& st = rooms_[r];
        const auto found =
            std::ranges::find_if(st.windows, [&](const auto& w) { return w.get() == &window; });
        if (found == st.windows.end()) continue;
        const int index = static_cast<int>(found - st.windows.begin());
        std::unique_ptr<GoBrowser> closed = std::move(*found);
        st.windows.erase(found);
        if (st.tabs) st.tabs->removeTab(index);
        if (st.shown == closed.get()) st.shown = nullptr;
        if (current_ == closed.get()) current_ = nullptr;
        closed->isShown = false;
        closed->views = {};
        return closed;
    }
    return nullptr;
}

void Rooms::showRoom(Room room) {
    current_ = state(room).shown;
}

int Rooms::findTabIndex(const GoBrowser& window, Room room) const {
    const auto& windows = state(room).windows;
    const auto found =
        std::ranges::find_if(windows, [&](const auto& w) { return w.get() == &window; });
    return found == windows.end() ? -1 : static_cast<int>(found - windows.begin());
}

void Rooms::updateTabicon(GoBrowser& window, int icon) {
    if (icon == window.tabIcon) return;
    window.tabIcon = icon;
    for (const Room room : {Room::game, Room::observation}) {
        const int index = findTabIndex(window, room);
        if (index >= 0 && state(room).tabs) state(room).tabs->setTabIcon(index, icon);
    }
}

void Rooms::setTabCaption(const GoBrowser& window, std::u16string_view caption) {
    const std::optional<Room> room = roomOf(window);
    if (!room || !state(*room).tabs) return;
    state(*room).tabs->setTabCaption(findTabIndex(window, *room), caption);
}

int Rooms::windowCount(Room room) const {
    return static_cast<int>(state(room).windows.size());
}

GoBrowser* Rooms::windowAt(Room room, int index) const {
    const auto& windows = state(room).windows;
    if (index < 0 || index >= static_cast<int>(windows.size())) return nullptr;
    return windows[static_cast<std::size_t>(index)].get();
}

GoBrowser* Rooms::shownWindow(Room room) const {
    return state(room).shown;
}

std::optional<Room> Rooms::roomOf(const GoBrowser& window) const {
    for (std::size_t r = 0; r < kRoomCount; ++r) {
        const Room room = static_cast<Room>(r);
        if (findTabIndex(window, room) >= 0) return room;
    }
    return std::nullopt;
}

}  // namespace veld
