// The rank certificate "證書": read-only lines and an "OK" button, kept above other windows.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace veld::desktop {

class CertificateDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit CertificateDialog(QWidget* parent = nullptr);

    // Replaces the lines shown.
    void setLines(const std::vector<std::u16string>& lines);
    QString text() const;

  private:
    QPlainTextEdit* memo_;
};

}  // namespace veld::desktop
