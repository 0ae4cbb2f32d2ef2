#include "app/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/login_dialog.h"
#include "app/text.h"

namespace veld::desktop {

namespace {

// The application's title is the caption of every box.
int box(QWidget* parent, QMessageBox::Icon icon, std::u16string_view text,
        QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QApplication::applicationName(), qs(text), buttons, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    if (auto* yes = box.button(QMessageBox::Yes)) yes->setText(QStringLiteral("是"));
    if (auto* no = box.button(QMessageBox::No)) no->setText(QStringLiteral("否"));
    if (auto* ok = box.button(QMessageBox::Ok)) ok->setText(QStringLiteral("確定"));
    return box.exec();
}

}  // namespace

void QtDialogs::showWarning(std::u16string_view text) {
    box(parent_, QMessageBox::Warning, text, QMessageBox::Yes);
}

void QtDialogs::showInformation(std::u16string_view text) {
    box(parent_, QMessageBox::Information, text, QMessageBox::Yes);
}

bool QtDialogs::confirm(std::u16string_view text) {
    return box(parent_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtDialogs::showMessage(std::u16string_view text) {
    box(parent_, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

bool QtDialogs::showLogin(LoginDialogModel& model) {
    // Centred on the screen, not on the window.
    LoginDialog dialog(nullptr);
    dialog.load(model);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(model);
    return true;
}

bool QtDialogs::showPasswordChange(PasswordDialogModel& model) {
    PasswordDialog dialog(parent_);
    dialog.load(model);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(model);
    return true;
}

}  // namespace veld::desktop
