// Properties of the record dialect.
#include <algorithm>
#include <string>
#include <vector>

#include "go/sgf_handlers.h"
#include "go/sgf_properties.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/wire.h"

namespace veld::sgf {

namespace {

// An "AM" value: up to the first "]" that is not escaped. Only "\]" and "\\" are escapes (the
// writer escapes nothing else); any other backslash is kept.
std::string readMarkupValue(SyntaxReader<char>& r) {
    std::string out;
    while (!r.atEnd()) {
        const char c = r.take(1)[0];
        if (c == ']') break;
        if (c == '\\' && (r.peek() == ']' || r.peek() == '\\')) {
            out += r.take(1)[0];
            continue;
        }
        out += c;
    }
    return out;
}

std::string keyOf(std::string_view v) {
    return std::string(v.substr(0, 2));
}

}  // namespace

void RecordHandler::property(SyntaxReader<char>& r, Node& n, std::string_view rawId,
                             std::size_t /*idOffset*/) {
    const std::string id(trimBlanks(rawId));
    const int codePage = options_.systemCodePage;

    if (id == "VC") {
        // The byte count, then "VD[", the bytes (which may hold any byte, "]" included) and "]".
        const int count = std::max(0, toIntDef(r.readRawValue(), 0));
        r.skip(3);
        n.voice = std::string(r.take(static_cast<std::size_t>(count)));
        r.skip(1);
        hasVoice = true;
        lastId_ = id;
        return;
    }
    if (id == "AM") {
        const std::string value = readMarkupValue(r);
        const std::string_view v = value;
        lastId_ = id;
        if (r.spendEntries(1))
            addMarkup(n, keyOf(v), ansiToWide(v.size() > 2 ? v.substr(2) : "", codePage));
        return;
    }
    if (id == "AB" || id == "AW" || id == "TR" || id == "SQ") {
        std::vector<std::string> values{std::string(r.readRawValue())};
        while (r.nextValueFollows()) values.emplace_back(r.readRawValue());
        lastId_ = id;
        if (id == "AB" || id == "AW") {
            applySetupList(r, n, id == "AB" ? kBlack : kWhite, values, boardSize);
        } else {
            applyMarkList(r, n, id == "TR" ? kTriangleMark : kSquareMark, values, boardSize, keyOf);
        }
        return;
    }

    const std::string_view v = r.readRawValue();
    // The fourth character of an "LB" value, in the system code page.
    auto labelOf = [&] {
        const std::u16string rest = ansiToWide(v.size() > 3 ? v.substr(3) : "", codePage);
        return rest.substr(0, 1);
    };
    if (id.empty()) {
        if (lastId_ == "LB" && r.spendEntries(1)) addMarkup(n, keyOf(v), labelOf());
        return;
    }
    lastId_ = id;

    if (id == "B" || id == "W") {
        applyMove(n, id == "B" ? kBlack : kWhite, v, boardSize);  // another length: no move
    } else if (id == "C") {
        n.comment = hexToWide(v);
    } else if (id == "LB") {
        if (r.spendEntries(1)) addMarkup(n, keyOf(v), labelOf());
    } else if (id == "L") {
        for (std::size_t i = 0; i + 1 < v.size() && r.spendEntries(1); i += 2)
            addMarkup(n, keyOf(v.substr(i, 2)), {nthLabelLetter(i / 2)});
    } else {
        if (!r.spendEntries(1)) return;
        const bool hex = id == "EV" || id == "PB" || id == "PW";
        n.properties.push_back(Tasso{id, hex ? hexToWide(v) : ansiToWide(v, codePage)});
        if (id == "HA") applyHandicapValue(r, n, v);
        if (id == "SZ") boardSize = boardSizeOf(v);
    }
}

}  // namespace veld::sgf
