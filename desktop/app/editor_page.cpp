#include "app/editor_page.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/text.h"

namespace veld::desktop {

EditorPage::EditorPage(std::function<bool(const std::string&, std::u16string_view)> save,
                       QWidget* parent)
    : QWidget(parent), save_(std::move(save)) {
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("editorMemo"));
    saveButton_ = new QPushButton(QStringLiteral("儲存"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_, 1);
    layout->addWidget(saveButton_, 0, Qt::AlignLeft);
    // Only a modified text is stored.
    connect(saveButton_, &QPushButton::clicked, this, [this] {
        if (!memo_->document()->isModified()) return;
        if (save_(hint_, u16(memo_->toPlainText()))) memo_->document()->setModified(false);
    });
}

void EditorPage::edit(std::u16string_view text, std::string_view hint) {
    hint_ = std::string(hint);
    memo_->setPlaceholderText(QString::fromStdString(hint_));
    memo_->setPlainText(qs(text));
    memo_->document()->setModified(false);
}

}  // namespace veld::desktop
