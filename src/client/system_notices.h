// Server notices handled without a subsystem of their own: system notices ("SB"), notice and
// quit ("YB"), maintenance ("T4"), activity reports ("AA", "CC") and the ignored "QQ".
#pragma once

#include "protocol/dispatcher.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

class SystemNotices {
  public:
    SystemNotices(Dialogs& dialogs, Shell& shell, const TextTable& texts)
        : dialogs_(dialogs), shell_(shell), texts_(texts) {}

    void registerHandlers(Dispatcher& dispatcher);

  private:
    void showNotice(std::string_view frame);
    void showActivity(std::string_view frame);

    Dialogs& dialogs_;
    Shell& shell_;
    const TextTable& texts_;
};

}  // namespace veld
