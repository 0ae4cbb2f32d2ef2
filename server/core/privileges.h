// Privilege levels (0-13) that the servers check. The client's menus hide what a level may not
// do, but only these checks decide.
#pragma once

namespace veld::server {

// The chief administrator: logs in during maintenance, sends the administrators' peer messages.
inline constexpr int kChiefPrivilege = 13;
// Moderators: public broadcasts; they also see the players' addresses (to bar them).
inline constexpr int kModeratorPrivilege = 10;

}  // namespace veld::server
