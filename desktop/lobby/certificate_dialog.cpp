#include "lobby/certificate_dialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/text.h"

namespace veld::desktop {

CertificateDialog::CertificateDialog(QWidget* parent)
    : QDialog(parent), memo_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("certificateDialog"));
    setWindowTitle(QStringLiteral("證書"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    memo_->setObjectName(QStringLiteral("certificateMemo"));
    memo_->setReadOnly(true);
    memo_->setMinimumSize(320, 200);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_);
    layout->addWidget(buttons);
}

void CertificateDialog::setLines(const std::vector<std::u16string>& lines) {
    QStringList text;
    for (const auto& line : lines) text << qs(line);
    memo_->setPlainText(text.join(QLatin1Char('\n')));
}

QString CertificateDialog::text() const {
    return memo_->toPlainText();
}

}  // namespace veld::desktop
