#include "app/automation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "app/login_dialog.h"

namespace veld::desktop {

namespace {

constexpr int kPollMs = 10;

// Polls for a modal widget of type T and hands it to `act`.
template <typename T>
void whenModal(std::function<void(T*)> act, int timeoutMs) {
    auto* timer = new QTimer(qApp);
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, act, timeoutMs] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget());
            widget && widget->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            act(widget);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
        }
    });
    timer->start(kPollMs);
}

}  // namespace

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, kPollMs);
        QThread::msleep(1);
    }
    return true;
}

void whenLoginDialog(std::function<void(LoginDialog*)> act, int timeoutMs) {
    whenModal<LoginDialog>(std::move(act), timeoutMs);
}

void answerNextLogin(const QString& name, const QString& password, bool accept, int timeoutMs) {
    whenModal<LoginDialog>(
        [name, password, accept](LoginDialog* dialog) {
            dialog->nameEdit()->setText(name);
            dialog->passwordEdit()->setText(password);
            accept ? dialog->accept() : dialog->reject();
        },
        timeoutMs);
}

void answerNextBox(bool yes, QString* text, int timeoutMs) {
    whenModal<QMessageBox>(
        [yes, text](QMessageBox* box) {
            if (text) *text = box->text();
            QAbstractButton* button = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                const auto role = box->buttonRole(b);
                if ((yes && (role == QMessageBox::YesRole || role == QMessageBox::AcceptRole)) ||
                    (!yes && role == QMessageBox::NoRole))
                    button = b;
            }
            if (button) {
                button->click();
            } else {
                box->reject();
            }
        },
        timeoutMs);
}

void answerNextFileDialog(const QStringList& files, int timeoutMs) {
    whenModal<QFileDialog>(
        [files](QFileDialog* dialog) {
            if (files.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(QFileInfo(files.first()).absolutePath());
            QStringList names;
            for (const QString& file : files) names << QFileInfo(file).fileName();
            const QString typed = names.size() == 1
                                      ? names.first()
                                      : QStringLiteral("\"") + names.join(QStringLiteral("\" \"")) +
                                            QStringLiteral("\"");
            // Typed into the name box as a person would: selectFile leaves the box alone while it
            // has the focus.
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                edit->setText(typed);
            } else {
                dialog->selectFile(typed);
            }
            // accept() is protected in the file dialog; through its base it still runs the file
            // dialog's own.
            static_cast<QDialog*>(dialog)->accept();
        },
        timeoutMs);
}

}  // namespace veld::desktop
