#include "app/qt_settings.h"

#include <QByteArray>
#include <QVariant>

namespace veld::desktop {

namespace {

QString key(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veld")) {}

std::string QtSettingsStore::readString(std::string_view name) const {
    const QVariant value = settings_.value(key(name));
    if (!value.isValid()) return {};
    // Values written by hand (a text editor, a script) read back as text.
    const QByteArray bytes =
        value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
    return bytes.toStdString();
}

void QtSettingsStore::writeString(std::string_view name, std::string_view value) {
    settings_.setValue(key(name), QByteArray(value.data(), static_cast<qsizetype>(value.size())));
    settings_.sync();
}

}  // namespace veld::desktop
