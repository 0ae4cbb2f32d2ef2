// The pages whose tabs exist only while a game server is joined: hidden when the main window is
// created and again when the server is left; the join and the privilege show them.
#pragma once

#include <array>

#include "protocol/ports.h"

namespace veld {

inline constexpr std::array kOnLineOnlyPages = {
    Page::Edit,       Page::Topics,         Page::WinRate,         Page::GameRecords,
    Page::PlayerInfo, Page::Document,       Page::GameRoom,        Page::Lobby,
    Page::StudyRoom,  Page::PatternSearch,  Page::ObservationRoom, Page::Vote,
    Page::Rulings,    Page::OnLineActivity, Page::BroadcastAdmin,
};

}  // namespace veld
