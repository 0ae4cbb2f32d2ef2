// Recording fakes of what navigation and automatic replay reach outside the core.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "study/study_hooks.h"

namespace veld::testing {

class FakeStudyHooks : public StudyHooks {
  public:
    bool loggedIn() const override { return online; }
    void sendToServer(std::string_view text) override { sent.emplace_back(text); }
    void playStoneSound() override { events.push_back("stone"); }
    // Records "voice:" and the node's sequence number.
    void playVoice(const Node& node) override;
    void stopVoicePlayer() override { events.push_back("stop voice"); }
    void stopVoiceRecorder() override { events.push_back("stop recorder"); }
    void setTeachingAutoplay(GoBrowser&, bool on) override {
        events.push_back(on ? "teaching autoplay on" : "teaching autoplay off");
    }
    void endMultiRecordMode() override { events.push_back("end multi-record"); }
    bool loadNextRecord(GoBrowser& window) override;
    GoBrowser* teachingRoomWindow() override { return teachingRoom; }

    bool online = true;
    GoBrowser* teachingRoom = nullptr;
    // What loadNextRecord does; without it there is no next record.
    std::function<bool(GoBrowser&)> nextRecord;
    std::vector<std::string> sent;
    std::vector<std::string> events;
};

class FakeStudyMenus : public StudyMenus {
  public:
    std::optional<std::u16string> askNumber() override;
    void checkSpeedItem(int item) override { speedItem = item; }
    void checkMoveNumberItem(int item) override { moveNumberItem = item; }

    // The answers of the number dialog, in order; cancel when none is left.
    std::deque<std::optional<std::u16string>> answers;
    int asked = 0;
    int speedItem = -1;
    int moveNumberItem = -1;
};

}  // namespace veld::testing
