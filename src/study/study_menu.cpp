#include "study/study_menu.h"

#include <string>

#include "go/go_browser.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

namespace {

// The steps of judging a position, rows 353 "請依照以下步驟判斷棋局結果" to 359.
constexpr int kFirstExplanationRow = 353;
constexpr int kLastExplanationRow = 359;

std::u16string countingExplanation(const TextTable& texts) {
    std::u16string text;
    for (int row = kFirstExplanationRow; row <= kLastExplanationRow; ++row) {
        if (!text.empty()) text += u"\r\n";
        text += texts.uiText(row);
    }
    return text;
}

}  // namespace

std::u16string_view studyMenuCaption(StudyMenuItem item) {
    switch (item) {
        case StudyMenuItem::explainCounting:
            return u"預判輸贏說明";
        case StudyMenuItem::markDead:
            return u"提子";
        case StudyMenuItem::undoLastDead:
            return u"復原";
        case StudyMenuItem::count:
            return u"點空";
        case StudyMenuItem::undoAllDead:
            return u"回復原形";
        case StudyMenuItem::rotate:
            return u"旋轉90度";
    }
    return {};
}

void runStudyMenuItem(GoBrowser& window, StudyMenuItem item, Dialogs& boxes) {
    switch (item) {
        case StudyMenuItem::explainCounting:
            boxes.showInformation(countingExplanation(window.texts()));
            break;
        case StudyMenuItem::markDead:
            window.phase = Phase::markingDead;
            break;
        case StudyMenuItem::undoLastDead:
            window.undoLastDead();
            break;
        case StudyMenuItem::count: {
            // A box rather than the text pane: what the pane receives becomes part of the
            // current node's comment, and a count is no part of the record.
            window.clearCountMarks();
            const std::u16string result = window.countScore();
            window.phase = Phase::none;
            boxes.showInformation(result);
            break;
        }
        case StudyMenuItem::undoAllDead:
            window.undoAllDead();
            window.phase = Phase::none;
            break;
        case StudyMenuItem::rotate:
            window.undoAllDead();
            window.phase = Phase::none;
            window.rotateRecord();
            break;
    }
}

}  // namespace veld
