// The settings store on Qt's per-user settings: the values under \Software\Veld (the registry on
// Windows, ~/.config/Veld.conf on Linux). Values are kept as bytes, so names in code page 950
// come back byte for byte.
#pragma once

#include <QSettings>

#include "protocol/ports.h"

namespace veld::desktop {

class QtSettingsStore final : public SettingsStore {
  public:
    QtSettingsStore();
    std::string readString(std::string_view name) const override;
    void writeString(std::string_view name, std::string_view value) override;

  private:
    mutable QSettings settings_;
};

}  // namespace veld::desktop
