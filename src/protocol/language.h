// The little that depends on the system's language: language ids, the code page of 8-bit
// record files, and the captions that change on systems that are not Chinese.
#pragma once

#include <string>
#include <string_view>

namespace veld {

class Shell;
class TextTable;

inline constexpr int kTraditionalChinese = 1028;
inline constexpr int kSimplifiedChinese = 2052;

// The language id of a POSIX locale name such as "zh_TW.UTF-8", "ko_KR" or "en_US@euro";
// a known language without a known region takes its main region; "C", "POSIX", empty or
// unknown names give 1033 (English, United States).
int languageIdFromLocale(std::string_view locale);
// The POSIX locale name ("zh_TW") of a language id; empty when unknown.
std::string_view localeOfLanguageId(int languageId);
// The English name of a language id with its locale, "Chinese (zh_TW)"; an id the client does
// not know takes the name of the first known locale, as the system's locale list does.
std::string languageNameOfId(int languageId);
// The system's default language id, from the locale of the environment (LC_ALL, LC_MESSAGES,
// LANG, in that order of precedence).
int systemLanguageId();

// The code page in which 8-bit record files are read on a system of this language.
int codePageForLanguage(int languageId);

// The language state of the client: the interface language id, read once at start-up, and the
// code page for 8-bit record files, which the open menu may change.
struct Language {
    int languageId = kTraditionalChinese;
    int fileCodePage = 950;

    // languageId = systemId; setcodepage; check the open menu's entry; translateStep1.
    void testLanguage(Shell& shell, const TextTable& texts, int systemId);
    // fileCodePage from languageId.
    void setcodepage();
    // Status bar font, application title, and the "Ulmo" captions on systems that are neither
    // Traditional nor Simplified Chinese.
    void translateStep1(Shell& shell, const TextTable& texts) const;
    // Widens the broadcast window (called before the login dialog on non-Traditional systems).
    static void translateStep2(Shell& shell);
};

// Puts the interface texts where the main window shows them first (the file menu's caption).
void Assingunistring(Shell& shell, const TextTable& texts);

// The screening of login names: on Traditional Chinese systems a name is refused when it holds
// a forbidden character or matches the forbidden-word list; other systems do not screen.
bool isForbiddenLoginName(std::u16string_view name, int languageId, const TextTable& texts);

// Hex-unit wide text of a message, decoded.
std::u16string transtows(std::string_view units);

}  // namespace veld
