// The core's modal boxes and dialogs on Qt. Each runs a nested event loop, so socket events
// still reach the core while a box is open.
#pragma once

#include <QPointer>
#include <QWidget>

#include "protocol/ports.h"

namespace veld::desktop {

class QtDialogs final : public Dialogs {
  public:
    // Boxes are centred on `parent` (the main window).
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    void showWarning(std::u16string_view text) override;
    void showInformation(std::u16string_view text) override;
    bool confirm(std::u16string_view text) override;
    void showMessage(std::u16string_view text) override;
    bool showLogin(LoginDialogModel& model) override;
    bool showPasswordChange(PasswordDialogModel& model) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace veld::desktop
