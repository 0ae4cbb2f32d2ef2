// The study room's dialogs: opening and saving record files, and the record information dialog
// "Game Record Title".
#pragma once

#include <QDialog>
#include <functional>

#include "study/study_files.h"

class QComboBox;
class QLineEdit;

namespace veld::desktop {

// "Game Record Title": title, players and ranks, result, date and komi. Choosing the "編輯" item
// (the first) of the title box or a name box closes the dialog at once, asking for the editor.
class RecordInfoDialog final : public QDialog {
    Q_OBJECT
  public:
    RecordInfoDialog(const RecordInfoModel& model, QWidget* parent);
    // The boxes' texts back into the model.
    void readInto(RecordInfoModel& model) const;
    // What closed the dialog beside OK and Cancel.
    RecordInfoAnswer editorAsked() const { return editorAsked_; }

    QComboBox* titleBox() const { return title_; }
    QComboBox* blackBox() const { return black_; }
    QComboBox* whiteBox() const { return white_; }
    QLineEdit* resultEdit() const { return result_; }

  private:
    QComboBox* nameBox(const std::vector<std::u16string>& items, const std::u16string& text,
                       RecordInfoAnswer editor);

    QComboBox* title_ = nullptr;
    QComboBox* black_ = nullptr;
    QComboBox* white_ = nullptr;
    QLineEdit* blackRank_ = nullptr;
    QLineEdit* whiteRank_ = nullptr;
    QLineEdit* result_ = nullptr;
    QLineEdit* date_ = nullptr;
    QLineEdit* komi_ = nullptr;
    RecordInfoAnswer editorAsked_ = RecordInfoAnswer::cancel;
};

class QtStudyFileDialogs final : public StudyFileDialogs {
  public:
    // `openEditor` shows the editor page with a list to edit.
    QtStudyFileDialogs(QWidget* parent,
                       std::function<void(std::u16string_view, std::string_view)> openEditor);

    std::vector<std::filesystem::path> openFiles() override;
    std::optional<std::filesystem::path> saveFile(std::u16string_view proposedName) override;
    RecordInfoAnswer recordInfo(RecordInfoModel& model) override;
    void openEditor(std::u16string_view text, std::string_view hint) override;

  private:
    QWidget* parent_;
    std::function<void(std::u16string_view, std::string_view)> openEditor_;
};

}  // namespace veld::desktop
