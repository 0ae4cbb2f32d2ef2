// The information of a record that a game window shows and writes: event, players, ranks,
// result, date, komi, handicap, size and clock. It is read from a record's root properties and
// turned back into the root properties written with the record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "go/node.h"
#include "go/tasso.h"

namespace veld {

class TextTable;

struct RecordInfo {
    // As shown, and in the form written to files: names and event as hex text, ranks in code
    // page 950. The setters below keep both forms in step.
    std::u16string eventName, blackName, whiteName, blackRank, whiteRank;
    std::string eventWritten, blackNameWritten, whiteNameWritten, blackRankWritten,
        whiteRankWritten;
    std::string resultCode;     // "RE", e.g. "B+R" or "W+3.5"
    std::u16string resultText;  // resultDisplayText of resultCode
    std::string date;           // "DT"
    std::string komi = "0";     // "KM"
    int handicap = 0;
    int boardSize = 19;
    int freeGame = 0;                          // "FR"
    int blackMainLeft = 0, whiteMainLeft = 0;  // main time left, seconds
    bool hasVoice = false;

    // Reads the root's properties. readerBoardSize, the size the reader ended with, overrides
    // "SZ". The handicap is "HD", or "HA" when there is no "HD".
    static RecordInfo fromRoot(const Node& root, int readerBoardSize, bool hasVoice,
                               const TextTable& texts);
    static RecordInfo fromRoot(const Node& root, int readerBoardSize, bool hasVoice);

    void setEventName(std::u16string name);
    void setBlackName(std::u16string name);
    void setWhiteName(std::u16string name);
    // A rank of "31k" is kept as "NR".
    void setBlackRank(std::u16string rank);
    void setWhiteRank(std::u16string rank);
    void setResultCode(std::string code, const TextTable& texts);

    // The root properties written with the record, in order: "VR" (only with voice), "EV", "PB",
    // "PW", "BR", "WR", "DT", "RE", "KM", "SZ", and "BL", "WL" when both clocks are non-zero.
    std::vector<Tassox> rootProperties() const;
};

// The result code as shown: for "B+…" and "W+…" the winner and how ("黑中盤勝", "白3.5目勝"),
// "E+…" undecided, another letter with "+" a plain "result"; a code without "+" second is shown
// as it is (code page 950); a code shorter than 2 characters shows nothing.
std::u16string resultDisplayText(std::string_view code, const TextTable& texts);

}  // namespace veld
