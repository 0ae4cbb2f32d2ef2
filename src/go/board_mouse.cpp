#include "go/board_mouse.h"

#include "protocol/codepage.h"
#include "protocol/points.h"
#include "protocol/text_table.h"

namespace veld {

namespace {

// Interface text rows.
constexpr int kRowBlackCaptured = 152;  // "黑被提子數"
constexpr int kRowWhiteCaptured = 153;  // "白被提子數"
constexpr int kRowResult = 29;          // "結果"
constexpr int kRowPeriodLength = 713;   // "讀秒時間"
constexpr int kRowSeconds = 247;        // "秒"
constexpr int kRowPeriodCount = 571;    // "讀秒次數"
constexpr int kRowHandicap = 517;       // "讓子"
constexpr int kRowKomi = 516;           // "貼目"
constexpr int kRowKo = 395;             // "劫"
constexpr int kRowSuicide = 612;        // "不能自盡！"
constexpr int kRowPlayResumes = 711;    // "繼續著手"

// The board command of a move: "XY02" + point + colour letter [+ the mover's clock report].
constexpr std::string_view kMoveCommand = "XY02";
constexpr std::size_t kStoneAt = 4;  // point and colour letter
constexpr std::size_t kStoneLength = 3;
constexpr std::size_t kClockAt = 7;  // the three bytes of the clock report
constexpr std::size_t kClockLength = 3;

std::u16string decimal(int n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

// The part of s from pos, at most count bytes; empty past the end.
std::string_view slice(std::string_view s, std::size_t pos, std::size_t count) {
    return pos < s.size() ? s.substr(pos, count) : std::string_view{};
}

}  // namespace

std::vector<std::u16string> BoardMouse::gameMenuInformation(const GoBrowser& window,
                                                            ByoYomiTerms terms) {
    const TextTable& t = window.texts();
    return {
        t.uiText(kRowBlackCaptured) + decimal(window.capturedBy(kWhite)),
        t.uiText(kRowWhiteCaptured) + decimal(window.capturedBy(kBlack)),
        t.uiText(kRowResult) + window.info.resultText,
        t.uiText(kRowPeriodLength) + decimal(terms.periodSeconds) + t.uiText(kRowSeconds),
        t.uiText(kRowPeriodCount) + decimal(terms.periodCount),
        t.uiText(kRowHandicap) + decimal(window.info.handicap),
        t.uiText(kRowKomi) + big5ToWide(window.info.komi),
    };
}

void BoardMouse::mouseDown(GoBrowser* window, Room page, const BoardGeometry& geometry,
                           MouseButton button, PixelPoint at) {
    if (!window) return;
    if (window->phase == Phase::awaitingCount || window->phase == Phase::opponentAway) return;
    if (page == Room::gameRecords || page == Room::gameMarks) return;
    if (button == MouseButton::right) {
        rightButton(*window, page, at);
    } else if (button == MouseButton::left) {
        leftButton(*window, geometry, at);
    }
}

void BoardMouse::rightButton(GoBrowser& window, Room page, PixelPoint at) {
    if (page == Room::patternSearch) return;
    if (window.role != Role::study) {
        const std::vector<std::u16string> information =
            gameMenuInformation(window, host_.byoYomi(window));
        host_.showGameMenu(window, {at.x, at.y + kGameMenuDrop}, information);
    } else if (window.phase != Phase::confirmingCount) {
        host_.showStudyMenu(window, at);
    }
}

void BoardMouse::leftButton(GoBrowser& window, const BoardGeometry& geometry, PixelPoint at) {
    if (window.phase == Phase::watching || window.autoplaying) return;
    host_.playClickSound();
    const std::optional<BoardPoint> point = geometry.pixelToPoint(at.x, at.y);
    // A pixel between the points is no click at all: the window is not asked.
    if (!point) return;
    const std::string text = window.clickPoint(point->x, point->y);
    if (text.empty() || text == "x") return;
    const TextTable& t = window.texts();
    if (text == "k") {
        window.appendMessage(kTextBlack, t.uiText(kRowKo));
        return;
    }
    if (text == "s") {
        window.appendMessage(kTextBlack, t.uiText(kRowSuicide));
        return;
    }
    // In a study window the click has done its edit already.
    if (window.role == Role::study) return;
    if (window.phase == Phase::markingDead) {
        // Only a group marked dead (the bare point) goes to the other player.
        if (text.size() == 2) sender_.sendToOpponent(window, "PGG" + window.gameId + text);
        return;
    }
    sendClick(window, text);
}

void BoardMouse::sendClick(GoBrowser& window, const std::string& text) {
    if (window.passCount > 0) {
        window.appendMessage(kTextBlack,
                             u"> " + host_.ownName() + window.texts().uiText(kRowPlayResumes));
        window.passCount = 0;
        host_.stopCountdown(window);
        host_.setPassEnabled(window, false);
    }
    if (window.roomLetter != "T") {
        // A game server takes moves only; other board commands stay in the window.
        if (text.starts_with(kMoveCommand)) {
            sender_.sendToServer("PGA" + window.gameId +
                                 stoneCode(slice(text, kStoneAt, kStoneLength)) +
                                 std::string(slice(text, kClockAt, kClockLength)));
        }
    } else {
        sender_.teachBroadcast(window, text);
    }
    if (window.phase != Phase::ownsBoard) host_.setTabIcon(window, kTabIconWaiting);
    if (window.phase == Phase::playing) host_.setPassEnabled(window, false);
}

}  // namespace veld
