#include "study/study_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>

#include "app/text.h"

namespace veld::desktop {

RecordInfoDialog::RecordInfoDialog(const RecordInfoModel& model, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("recordInfoDialog"));
    setWindowTitle(QStringLiteral("Game Record Title"));
    auto* form = new QFormLayout(this);
    auto line = [this](const std::u16string& text) {
        auto* edit = new QLineEdit(qs(text), this);
        return edit;
    };
    title_ = nameBox(model.titleItems, model.title, RecordInfoAnswer::editTitles);
    title_->setObjectName(QStringLiteral("titleBox"));
    black_ = nameBox(model.playerItems, model.black, RecordInfoAnswer::editPlayers);
    black_->setObjectName(QStringLiteral("blackBox"));
    white_ = nameBox(model.playerItems, model.white, RecordInfoAnswer::editPlayers);
    white_->setObjectName(QStringLiteral("whiteBox"));
    blackRank_ = line(model.blackRank);
    whiteRank_ = line(model.whiteRank);
    result_ = line(model.result);
    result_->setObjectName(QStringLiteral("resultEdit"));
    date_ = line(model.date);
    komi_ = line(model.komi);
    form->addRow(QStringLiteral("標題"), title_);
    form->addRow(QStringLiteral("黑棋"), black_);
    form->addRow(QStringLiteral("棋力"), blackRank_);
    form->addRow(QStringLiteral("白棋"), white_);
    form->addRow(QStringLiteral("棋力"), whiteRank_);
    form->addRow(QStringLiteral("結果"), result_);
    form->addRow(QStringLiteral("日期"), date_);
    form->addRow(QStringLiteral("貼目"), komi_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setMinimumWidth(360);
}

// An editable box with the list's items; its first item ("編輯") asks for the editor.
QComboBox* RecordInfoDialog::nameBox(const std::vector<std::u16string>& items,
                                     const std::u16string& text, RecordInfoAnswer editor) {
    auto* box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const std::u16string& item : items) box->addItem(qs(item));
    box->setCurrentIndex(-1);
    box->setEditText(qs(text));
    connect(box, &QComboBox::activated, this, [this, editor](int index) {
        if (index != 0) return;
        editorAsked_ = editor;
        done(QDialog::Rejected);
    });
    return box;
}

void RecordInfoDialog::readInto(RecordInfoModel& model) const {
    model.title = u16(title_->currentText());
    model.black = u16(black_->currentText());
    model.white = u16(white_->currentText());
    model.blackRank = u16(blackRank_->text());
    model.whiteRank = u16(whiteRank_->text());
    model.result = u16(result_->text());
    model.date = u16(date_->text());
    model.komi = u16(komi_->text());
}

QtStudyFileDialogs::QtStudyFileDialogs(
    QWidget* parent, std::function<void(std::u16string_view, std::string_view)> openEditor)
    : parent_(parent), openEditor_(std::move(openEditor)) {}

std::vector<std::filesystem::path> QtStudyFileDialogs::openFiles() {
    QFileDialog dialog(parent_, QString(), QDir::currentPath(),
                       QStringLiteral("sgf files (*.sgf)"));
    dialog.setObjectName(QStringLiteral("openRecordsDialog"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    std::vector<std::filesystem::path> files;
    if (dialog.exec() != QDialog::Accepted) return files;
    // The next dialog starts where this one ended.
    QDir::setCurrent(dialog.directory().absolutePath());
    for (const QString& file : dialog.selectedFiles()) files.emplace_back(file.toStdU16String());
    return files;
}

std::optional<std::filesystem::path> QtStudyFileDialogs::saveFile(
    std::u16string_view proposedName) {
    QFileDialog dialog(parent_, QString(), QDir::currentPath(), QStringLiteral("sgf (*.sgf)"));
    dialog.setObjectName(QStringLiteral("saveRecordDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!proposedName.empty()) dialog.selectFile(qs(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    QDir::setCurrent(dialog.directory().absolutePath());
    return std::filesystem::path(dialog.selectedFiles().first().toStdU16String());
}

RecordInfoAnswer QtStudyFileDialogs::recordInfo(RecordInfoModel& model) {
    RecordInfoDialog dialog(model, parent_);
    if (dialog.exec() == QDialog::Accepted) {
        dialog.readInto(model);
        return RecordInfoAnswer::ok;
    }
    return dialog.editorAsked();
}

void QtStudyFileDialogs::openEditor(std::u16string_view text, std::string_view hint) {
    openEditor_(text, hint);
}

}  // namespace veld::desktop
