// Settings kept in memory for the life of the process: for a client that is given no settings
// store (a headless client, a test). Nothing is remembered between runs.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "protocol/ports.h"

namespace veld {

class SessionSettings : public SettingsStore {
  public:
    std::string readString(std::string_view name) const override {
        const auto found = values_.find(name);
        return found == values_.end() ? std::string() : found->second;
    }
    void writeString(std::string_view name, std::string_view value) override {
        values_[std::string(name)] = value;
    }

  private:
    std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace veld
