#include "fakes/fake_study.h"

#include "go/node.h"

namespace veld::testing {

void FakeStudyHooks::playVoice(const Node& node) {
    events.push_back("voice:" + std::to_string(node.sequenceNumber));
}

bool FakeStudyHooks::loadNextRecord(GoBrowser& window) {
    if (!nextRecord || !nextRecord(window)) return false;
    events.push_back("next record");
    return true;
}

std::optional<std::u16string> FakeStudyMenus::askNumber() {
    ++asked;
    if (answers.empty()) return std::nullopt;
    std::optional<std::u16string> answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace veld::testing
