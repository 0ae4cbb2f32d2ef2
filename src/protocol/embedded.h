// Data files of the project built into the program (generated at build time).
#pragma once

#include <string_view>

namespace veld::embedded {
std::string_view texts_txt();
std::string_view forbidden_chars_txt();
std::string_view forbidden_words_txt();
}  // namespace veld::embedded
