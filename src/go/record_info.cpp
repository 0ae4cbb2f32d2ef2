#include "go/record_info.h"

#include <cctype>

#include "go/sgf_syntax.h"
#include "go/tree.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/text_table.h"
#include "protocol/wire.h"

namespace veld {

namespace {

enum Row {
    kBlackRow = 225,
    kWhiteRow = 226,
    kUndecidedRow = 963,
    kResultRow = 994,
    kWinsRow = 294,
    kResignRow = 964,
    kRulingRow = 378,
    kAdjournedRow = 986,
    kPointsRow = 965,
};

std::u16string rankShown(std::u16string rank) {
    rank = trimSpacesW(rank);
    return rank == u"31k" ? u"NR" : rank;
}

}  // namespace

std::u16string resultDisplayText(std::string_view code, const TextTable& texts) {
    if (code.size() < 2) return {};
    if (code[1] != '+') return big5ToWide(code);
    const char winner = static_cast<char>(std::toupper(static_cast<unsigned char>(code[0])));
    if (winner == 'E') return texts.uiText(kUndecidedRow);
    if (winner != 'B' && winner != 'W') return texts.uiText(kResultRow);
    std::u16string text = texts.uiText(winner == 'B' ? kBlackRow : kWhiteRow);
    if (code.size() == 2) return text + texts.uiText(kWinsRow);
    switch (code[2]) {
        case 'R':
            return text + texts.uiText(kResignRow);
        case 'T':
            return text + texts.uiText(kRulingRow);
        case 'S':
            return text + texts.uiText(kAdjournedRow);
        default:
            return text + big5ToWide(sgf::trimBlanks(code.substr(2))) + texts.uiText(kPointsRow);
    }
}

RecordInfo RecordInfo::fromRoot(const Node& root, int readerBoardSize, bool hasVoice,
                                const TextTable& texts) {
    RecordInfo info;
    info.setEventName(lookupProperty(root, "EV"));
    info.setBlackName(lookupProperty(root, "PB"));
    info.setWhiteName(lookupProperty(root, "PW"));
    info.setBlackRank(lookupProperty(root, "BR"));
    info.setWhiteRank(lookupProperty(root, "WR"));
    info.setResultCode(wideToBig5(lookupProperty(root, "RE")), texts);
    info.date = wideToBig5(lookupProperty(root, "DT"));
    const std::string komi = wideToBig5(lookupProperty(root, "KM"));
    info.komi = komi.empty() ? std::string("0") : komi;
    const std::u16string handicap = lookupProperty(root, "HD");
    info.handicap =
        toIntDef(wideToBig5(handicap.empty() ? lookupProperty(root, "HA") : handicap), 0);
    info.boardSize = readerBoardSize;  // the reader has applied "SZ" already
    info.freeGame = toIntDef(wideToBig5(lookupProperty(root, "FR")), 0);
    info.hasVoice = hasVoice;
    return info;
}

RecordInfo RecordInfo::fromRoot(const Node& root, int readerBoardSize, bool hasVoice) {
    return fromRoot(root, readerBoardSize, hasVoice, TextTable::builtIn());
}

void RecordInfo::setEventName(std::u16string name) {
    eventName = trimSpacesW(name);
    eventWritten = wideToHex(eventName);
}

void RecordInfo::setBlackName(std::u16string name) {
    blackName = trimSpacesW(name);
    blackNameWritten = wideToHex(blackName);
}

void RecordInfo::setWhiteName(std::u16string name) {
    whiteName = trimSpacesW(name);
    whiteNameWritten = wideToHex(whiteName);
}

void RecordInfo::setBlackRank(std::u16string rank) {
    blackRank = rankShown(std::move(rank));
    blackRankWritten = wideToBig5(blackRank);
}

void RecordInfo::setWhiteRank(std::u16string rank) {
    whiteRank = rankShown(std::move(rank));
    whiteRankWritten = wideToBig5(whiteRank);
}

void RecordInfo::setResultCode(std::string code, const TextTable& texts) {
    resultCode = std::move(code);
    resultText = resultDisplayText(resultCode, texts);
}

std::vector<Tassox> RecordInfo::rootProperties() const {
    std::vector<Tassox> list;
    if (hasVoice) list.push_back({"VR", "1"});
    list.push_back({"EV", eventWritten});
    list.push_back({"PB", blackNameWritten});
    list.push_back({"PW", whiteNameWritten});
    list.push_back({"BR", blackRankWritten});
    list.push_back({"WR", whiteRankWritten});
    list.push_back({"DT", date});
    list.push_back({"RE", resultCode});
    list.push_back({"KM", komi});
    list.push_back({"SZ", std::to_string(boardSize)});
    if (blackMainLeft != 0 && whiteMainLeft != 0) {
        list.push_back({"BL", std::to_string(blackMainLeft)});
        list.push_back({"WL", std::to_string(whiteMainLeft)});
    }
    return list;
}

}  // namespace veld
