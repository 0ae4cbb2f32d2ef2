// "登入": name, masked password and "保存", OK and Cancel. Stays on top, centred on the screen;
// Enter in the name moves to the password, Enter in the password is OK.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include "protocol/ports.h"

namespace veld::desktop {

class LoginDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit LoginDialog(QWidget* parent = nullptr);

    void load(const LoginDialogModel& model);
    void store(LoginDialogModel& model) const;

    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* passwordEdit() const { return password_; }
    QCheckBox* rememberBox() const { return remember_; }

  private:
    QLineEdit* name_;
    QLineEdit* password_;
    QCheckBox* remember_;
};

// "改變密碼": the old password and the new one twice, all masked.
class PasswordDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    void load(const PasswordDialogModel& model);
    void store(PasswordDialogModel& model) const;

    QLineEdit* oldEdit() const { return old_; }
    QLineEdit* newEdit() const { return new_; }
    QLineEdit* againEdit() const { return again_; }

  private:
    QLineEdit* old_;
    QLineEdit* new_;
    QLineEdit* again_;
};

}  // namespace veld::desktop
