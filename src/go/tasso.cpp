#include "go/tasso.h"

#include <algorithm>

namespace veld {

std::u16string labelForPoint(const std::vector<Tasso>& list, std::string_view key) {
    const auto it =
        std::find_if(list.begin(), list.end(), [key](const Tasso& e) { return e.key == key; });
    return it == list.end() ? std::u16string() : it->text;
}

}  // namespace veld
