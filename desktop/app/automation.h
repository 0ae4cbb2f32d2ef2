// Driving the window as a person would, for the desktop tests and the screenshot tool: waiting
// for a condition while events run, and answering the modal dialogs that open.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace veld::desktop {

// Runs events until `done` holds or `timeoutMs` passed; returns done().
bool waitFor(const std::function<bool()>& done, int timeoutMs);

class LoginDialog;

// Hands the next login dialog that opens within `timeoutMs` to `act`, inside the dialog's own
// event loop (a modal dialog blocks whoever opened it until it closes).
void whenLoginDialog(std::function<void(LoginDialog*)> act, int timeoutMs = 10000);

// Fills the next login dialog that opens within `timeoutMs` with the name and password and
// presses OK (or Cancel when `accept` is false).
void answerNextLogin(const QString& name, const QString& password, bool accept = true,
                     int timeoutMs = 10000);

// Answers the next message box that opens within `timeoutMs`: Yes/OK when `yes`, else No. Its
// text is stored in `text` when given.
void answerNextBox(bool yes, QString* text = nullptr, int timeoutMs = 10000);

// Answers the next file dialog that opens within `timeoutMs` with the files (full paths; several
// for a dialog that opens several), or cancels it when `files` is empty.
void answerNextFileDialog(const QStringList& files, int timeoutMs = 10000);

}  // namespace veld::desktop
