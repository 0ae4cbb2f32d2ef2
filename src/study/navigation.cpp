#include "study/navigation.h"

#include "go/go_browser.h"
#include "protocol/ports.h"
#include "protocol/wire.h"
#include "study/study_hooks.h"

namespace veld {

std::string countText(int n) {
    return wordToBytes(static_cast<std::uint32_t>(n));
}

std::string boardCommandFor(NavCommand command) {
    switch (command) {
        case NavCommand::first:
            return "XY06" + countText(999);
        case NavCommand::fastBackward:
            return "XY06" + countText(10);
        case NavCommand::previous:
            return "XY06" + countText(1);
        case NavCommand::next:
            return "XY05" + countText(1);
        case NavCommand::fastForward:
            return "XY05" + countText(10);
        case NavCommand::last:
            return "XY05" + countText(999);
        case NavCommand::switchVariation:
            return "XY07";
        case NavCommand::previousCommented:
        case NavCommand::nextCommented:
            break;
    }
    return {};
}

void teachBrocast(const GoBrowser& window, std::string_view command, StudyHooks& hooks) {
    if (window.roomLetter != "T") return;
    std::string text = "YZ" + window.gameId;
    text += command;
    hooks.sendToServer(text);
}

void navigate(GoBrowser* window, NavCommand command, StudyHooks& hooks) {
    if (!window) return;
    GoBrowser& w = *window;
    switch (command) {
        case NavCommand::first:
            w.moveBy(-999);
            break;
        case NavCommand::fastBackward:
            w.moveBy(-10);
            break;
        case NavCommand::previous:
            hooks.stopVoicePlayer();
            w.moveBy(-1);
            break;
        case NavCommand::next:
            hooks.playStoneSound();
            w.moveBy(1);
            hooks.playVoice(w.current());
            break;
        case NavCommand::fastForward:
            hooks.playStoneSound();
            w.moveBy(10);
            break;
        case NavCommand::last:
            w.moveBy(999);
            hooks.playStoneSound();
            break;
        case NavCommand::switchVariation:
            w.switchVariation(true);
            break;
        // The comment searches step without moveBy, so an edited comment is saved first here.
        case NavCommand::previousCommented:
            if (w.role == Role::study) w.saveCommentEdit();
            w.backTo(w.previousCommented());
            break;
        case NavCommand::nextCommented:
            if (w.role == Role::study) w.saveCommentEdit();
            w.forwardTo(w.nextCommented());
            break;
    }
    const std::string boardCommand = boardCommandFor(command);
    if (!boardCommand.empty()) teachBrocast(w, boardCommand, hooks);
}

void navigateTopicRecord(GoBrowser* window, NavCommand command, StudyHooks& hooks, Shell& shell) {
    if (!window) return;
    navigate(window, command, hooks);
    shell.showStatus(window->current().comment);
}

std::optional<NavCommand> commandForKey(NavKey key, bool ctrl, KeyPage page) {
    if (page == KeyPage::other) return std::nullopt;
    if (ctrl) {
        if (key == NavKey::left) return NavCommand::previousCommented;
        if (key == NavKey::right) return NavCommand::nextCommented;
        return std::nullopt;
    }
    switch (key) {
        case NavKey::left:
            return NavCommand::previous;
        case NavKey::right:
            return NavCommand::next;
        case NavKey::home:
            return NavCommand::first;
        case NavKey::end:
            return NavCommand::last;
        case NavKey::up:
        case NavKey::pageUp:
            if (page == KeyPage::studyRoom) return NavCommand::fastBackward;
            break;
        case NavKey::down:
        case NavKey::pageDown:
            if (page == KeyPage::studyRoom) return NavCommand::fastForward;
            break;
    }
    return std::nullopt;
}

}  // namespace veld
