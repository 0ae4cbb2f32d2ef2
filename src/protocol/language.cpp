#include "protocol/language.h"

#include <array>
#include <cstdlib>
#include <utility>

#include "protocol/ports.h"
#include "protocol/search.h"
#include "protocol/text_table.h"
#include "protocol/wire.h"

namespace veld {

namespace {

struct LocaleEntry {
    std::string_view locale;
    int languageId;
};

// The locales the client knows. The first entry of a language is its main region.
constexpr std::array kLocales{
    LocaleEntry{"zh_TW", 1028},  LocaleEntry{"zh_CN", 2052},  LocaleEntry{"zh_HK", 3076},
    LocaleEntry{"zh_SG", 4100},  LocaleEntry{"zh_MO", 5124},  LocaleEntry{"ko_KR", 1042},
    LocaleEntry{"ja_JP", 1041},  LocaleEntry{"th_TH", 1054},  LocaleEntry{"en_US", 1033},
    LocaleEntry{"en_GB", 2057},  LocaleEntry{"en_AU", 3081},  LocaleEntry{"en_CA", 4105},
    LocaleEntry{"en_NZ", 5129},  LocaleEntry{"en_IE", 6153},  LocaleEntry{"en_ZA", 7177},
    LocaleEntry{"en_IN", 16393}, LocaleEntry{"en_SG", 18441}, LocaleEntry{"de_DE", 1031},
    LocaleEntry{"de_CH", 2055},  LocaleEntry{"de_AT", 3079},  LocaleEntry{"fr_FR", 1036},
    LocaleEntry{"fr_BE", 2060},  LocaleEntry{"fr_CA", 3084},  LocaleEntry{"fr_CH", 4108},
    LocaleEntry{"es_ES", 3082},  LocaleEntry{"es_MX", 2058},  LocaleEntry{"es_AR", 11274},
    LocaleEntry{"it_IT", 1040},  LocaleEntry{"pt_BR", 1046},  LocaleEntry{"pt_PT", 2070},
    LocaleEntry{"nl_NL", 1043},  LocaleEntry{"nl_BE", 2067},  LocaleEntry{"ru_RU", 1049},
    LocaleEntry{"uk_UA", 1058},  LocaleEntry{"pl_PL", 1045},  LocaleEntry{"cs_CZ", 1029},
    LocaleEntry{"sk_SK", 1051},  LocaleEntry{"hu_HU", 1038},  LocaleEntry{"ro_RO", 1048},
    LocaleEntry{"bg_BG", 1026},  LocaleEntry{"el_GR", 1032},  LocaleEntry{"tr_TR", 1055},
    LocaleEntry{"sv_SE", 1053},  LocaleEntry{"da_DK", 1030},  LocaleEntry{"nb_NO", 1044},
    LocaleEntry{"fi_FI", 1035},  LocaleEntry{"he_IL", 1037},  LocaleEntry{"ar_SA", 1025},
    LocaleEntry{"vi_VN", 1066},  LocaleEntry{"id_ID", 1057},  LocaleEntry{"ms_MY", 1086},
    LocaleEntry{"hi_IN", 1081},
};

constexpr int kEnglishUnitedStates = 1033;

}  // namespace

int languageIdFromLocale(std::string_view locale) {
    // Drop the code set and the modifier: "zh_TW.UTF-8@x" -> "zh_TW".
    locale = locale.substr(0, locale.find_first_of(".@"));
    for (const auto& entry : kLocales)
        if (entry.locale == locale) return entry.languageId;
    const std::string_view language = locale.substr(0, locale.find('_'));
    if (!language.empty()) {
        for (const auto& entry : kLocales)
            if (entry.locale.substr(0, entry.locale.find('_')) == language) return entry.languageId;
    }
    return kEnglishUnitedStates;
}

std::string_view localeOfLanguageId(int languageId) {
    for (const auto& entry : kLocales)
        if (entry.languageId == languageId) return entry.locale;
    return {};
}

std::string languageNameOfId(int languageId) {
    static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
        {"zh", "Chinese"},    {"ko", "Korean"},     {"ja", "Japanese"},  {"th", "Thai"},
        {"en", "English"},    {"de", "German"},     {"fr", "French"},    {"es", "Spanish"},
        {"it", "Italian"},    {"pt", "Portuguese"}, {"nl", "Dutch"},     {"ru", "Russian"},
        {"uk", "Ukrainian"},  {"pl", "Polish"},     {"cs", "Czech"},     {"sk", "Slovak"},
        {"hu", "Hungarian"},  {"ro", "Romanian"},   {"bg", "Bulgarian"}, {"el", "Greek"},
        {"tr", "Turkish"},    {"sv", "Swedish"},    {"da", "Danish"},    {"nb", "Norwegian"},
        {"fi", "Finnish"},    {"he", "Hebrew"},     {"ar", "Arabic"},    {"vi", "Vietnamese"},
        {"id", "Indonesian"}, {"ms", "Malay"},      {"hi", "Hindi"},
    };
    std::string_view locale = localeOfLanguageId(languageId);
    if (locale.empty()) locale = kLocales.front().locale;
    const std::string_view code = locale.substr(0, locale.find('_'));
    for (const auto& [key, name] : kNames)
        if (key == code) return std::string(name) + " (" + std::string(locale) + ")";
    return std::string(locale);
}

int systemLanguageId() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return languageIdFromLocale(value);
    }
    return kEnglishUnitedStates;
}

int codePageForLanguage(int languageId) {
    switch (languageId) {
        case 1028:
        case 3076:
            return 950;
        case 2052:
        case 4100:
            return 936;
        case 1042:
        case 2066:
            return 949;
        case 1041:
            return 932;
        case 1054:
            return 874;
        default:
            return 437;
    }
}

void Language::testLanguage(Shell& shell, const TextTable& texts, int systemId) {
    languageId = systemId;
    setcodepage();
    shell.checkOpenCodePage(fileCodePage);
    translateStep1(shell, texts);
}

void Language::setcodepage() {
    fileCodePage = codePageForLanguage(languageId);
}

void Language::translateStep1(Shell& shell, const TextTable& texts) const {
    shell.setStatusBarFont(u"Tahoma");
    shell.setApplicationTitle(texts.uiText(679));
    if (languageId != kSimplifiedChinese && languageId != kTraditionalChinese) {
        shell.setMainCaption(u"Ulmo");
        shell.setApplicationTitle(u"Ulmo");
    }
}

void Language::translateStep2(Shell& shell) {
    shell.setBroadcastWindowWidth(360);
}

void Assingunistring(Shell& shell, const TextTable& texts) {
    shell.setFileMenuCaption(texts.uiText(1));
}

bool isForbiddenLoginName(std::u16string_view name, int languageId, const TextTable& texts) {
    if (languageId != kTraditionalChinese) return false;
    return containsListChar(name, texts.forbiddenChars()) ||
           matchesWordList(name, texts.forbiddenWords());
}

std::u16string transtows(std::string_view units) {
    return unitsToWide(units);
}

}  // namespace veld
