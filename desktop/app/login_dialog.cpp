#include "app/login_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/text.h"

namespace veld::desktop {

namespace {

QLineEdit* maskedEdit(QWidget* parent, int maxChars) {
    auto* edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(maxChars);
    return edit;
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("確定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

LoginDialog::LoginDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      name_(new QLineEdit(this)),
      password_(maskedEdit(this, LoginDialogModel::kMaxPasswordChars)),
      remember_(new QCheckBox(QStringLiteral("保存"), this)) {
    setWindowTitle(QStringLiteral("登入"));
    setObjectName(QStringLiteral("loginDialog"));
    name_->setMaxLength(LoginDialogModel::kMaxNameChars);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("暱名"), name_);
    form->addRow(QStringLiteral("密碼"), password_);
    form->addRow(QString(), remember_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* buttons = okCancel(this);
    layout->addWidget(buttons);
    // Enter in the name goes on to the password; only there (or on a button) is it OK.
    buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Ok)->setDefault(false);
    connect(name_, &QLineEdit::returnPressed, password_,
            [this] { password_->setFocus(Qt::OtherFocusReason); });
    connect(password_, &QLineEdit::returnPressed, this, &QDialog::accept);
}

void LoginDialog::load(const LoginDialogModel& model) {
    name_->setText(qs(model.name));
    password_->setText(qs(model.password));
    remember_->setChecked(model.remember);
    (model.name.empty() ? name_ : password_)->setFocus(Qt::OtherFocusReason);
}

void LoginDialog::store(LoginDialogModel& model) const {
    model.name = u16(name_->text());
    model.password = u16(password_->text());
    model.remember = remember_->isChecked();
}

PasswordDialog::PasswordDialog(QWidget* parent)
    : QDialog(parent),
      old_(maskedEdit(this, LoginDialogModel::kMaxPasswordChars)),
      new_(maskedEdit(this, LoginDialogModel::kMaxPasswordChars)),
      again_(maskedEdit(this, LoginDialogModel::kMaxPasswordChars)) {
    setWindowTitle(QStringLiteral("改變密碼"));
    setObjectName(QStringLiteral("passwordDialog"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("舊密碼"), old_);
    form->addRow(QStringLiteral("新密碼"), new_);
    form->addRow(QStringLiteral("確認新密碼"), again_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

void PasswordDialog::load(const PasswordDialogModel& model) {
    old_->setText(qs(model.oldPassword));
    new_->setText(qs(model.newPassword));
    again_->setText(qs(model.newPasswordAgain));
}

void PasswordDialog::store(PasswordDialogModel& model) const {
    model.oldPassword = u16(old_->text());
    model.newPassword = u16(new_->text());
    model.newPasswordAgain = u16(again_->text());
}

}  // namespace veld::desktop
