#include "client/system_notices.h"

#include "protocol/codepage.h"
#include "protocol/language.h"

namespace veld {

namespace {
// Fields start after the length prefix and the code.
std::string_view fieldsOf(std::string_view frame) {
    return frame.substr(4);
}
}  // namespace

void SystemNotices::registerHandlers(Dispatcher& dispatcher) {
    dispatcher.add("SB", [this](std::string_view frame, Link) { showNotice(frame); });
    dispatcher.add("YB", [this](std::string_view frame, Link) {
        showNotice(frame);
        shell_.terminate();
    });
    dispatcher.add("T4",
                   [this](std::string_view, Link) { dialogs_.showWarning(texts_.uiText(89)); });
    dispatcher.add("AA", [this](std::string_view frame, Link) { showActivity(frame); });
    dispatcher.add("CC", [this](std::string_view frame, Link) { showActivity(frame); });
    dispatcher.add("QQ", [](std::string_view, Link) {});
}

void SystemNotices::showNotice(std::string_view frame) {
    dialogs_.showInformation(transtows(fieldsOf(frame)));
}

void SystemNotices::showActivity(std::string_view frame) {
    shell_.showPage(Page::OnLineActivity);
    shell_.clearActivityLog();
    shell_.appendActivityLine(big5ToWide(fieldsOf(frame), &dialogs_));
}

}  // namespace veld
