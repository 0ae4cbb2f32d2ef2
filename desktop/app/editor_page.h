// The editor page "編輯": a memo that edits one list of the program folder, named by its hint,
// and the button "儲存" that hands the text back to whoever keeps that list.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace veld::desktop {

class EditorPage final : public QWidget {
    Q_OBJECT
  public:
    // `save` stores the text under the hint; false when it could not be stored.
    explicit EditorPage(std::function<bool(const std::string& hint, std::u16string_view text)> save,
                        QWidget* parent = nullptr);

    void edit(std::u16string_view text, std::string_view hint);
    const std::string& hint() const { return hint_; }
    QPlainTextEdit* memo() const { return memo_; }
    QPushButton* saveButton() const { return saveButton_; }

  private:
    std::function<bool(const std::string&, std::u16string_view)> save_;
    QPlainTextEdit* memo_;
    QPushButton* saveButton_;
    std::string hint_;
};

}  // namespace veld::desktop
