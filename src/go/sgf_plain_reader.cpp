// Properties of plain SGF files.
#include <algorithm>
#include <string>
#include <vector>

#include "go/sgf_handlers.h"
#include "go/sgf_properties.h"
#include "protocol/codepage.h"

namespace veld::sgf {

namespace {

// A value up to the next "]" with the standard escapes: a backslash makes the next character
// plain text, and a backslash before a line break (CR, LF, CR LF or LF CR) removes both.
std::u16string readEscapedValue(SyntaxReader<char16_t>& r) {
    std::u16string out;
    while (!r.atEnd()) {
        const char16_t c = r.take(1)[0];
        if (c == u']') return out;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (r.atEnd()) break;
        const char16_t next = r.take(1)[0];
        if (next == u'\n' || next == u'\r') {
            const char16_t pair = next == u'\n' ? u'\r' : u'\n';
            if (r.peek() == pair) r.skip(1);
            continue;
        }
        out += next;
    }
    return out;
}

// Trimmed, without lower-case letters (long FF[3] names such as "AddBlack" are "AB").
std::string identifierOf(std::u16string_view raw) {
    std::u16string id;
    for (char16_t c : trimBlanks(raw)) {
        if (c < u'a' || c > u'z') id += c;
    }
    return asciiText(trimBlanks(std::u16string_view(id)));
}

std::string keyOf(std::u16string_view v) {
    return asciiText(v.substr(0, 2));
}

// "point:label": the label is the fourth character alone.
std::u16string labelOfLB(std::u16string_view v) {
    return std::u16string(v.substr(std::min<std::size_t>(3, v.size()), 1));
}

}  // namespace

void PlainHandler::property(SyntaxReader<char16_t>& r, Node& n, std::u16string_view rawId,
                            std::size_t idOffset) {
    const std::string id = identifierOf(rawId);

    if (id == "AB" || id == "AW" || id == "TR" || id == "SQ") {
        std::vector<std::u16string> values{readEscapedValue(r)};
        while (r.nextValueFollows()) values.push_back(readEscapedValue(r));
        lastId_ = id;
        if (id == "AB" || id == "AW") {
            applySetupList(r, n, id == "AB" ? kBlack : kWhite, values, boardSize);
        } else {
            applyMarkList(r, n, id == "TR" ? kTriangleMark : kSquareMark, values, boardSize, keyOf);
        }
        return;
    }

    const std::u16string value = readEscapedValue(r);
    const std::u16string_view v = value;
    if (id.empty()) {
        // A further value of "LB"; any other value without an identifier is dropped.
        if (trimBlanks(rawId).empty() && lastId_ == "LB" && r.spendEntries(1))
            addMarkup(n, keyOf(v), labelOfLB(v));
        return;
    }
    lastId_ = id;

    if (id == "B" || id == "W") {
        if (!applyMove(n, id == "B" ? kBlack : kWhite, v, boardSize))
            r.fail(badMoveMessage(id, wideToUtf8(v.substr(0, 24))),
                   idOffset + leadingBlanks(rawId));
    } else if (id == "C") {
        n.comment = recodeComments_ && options_.fileCodePage != options_.systemCodePage
                        ? ansiToWide(wideToAnsi(v, options_.systemCodePage), options_.fileCodePage)
                        : value;
    } else if (id == "AM") {
        if (r.spendEntries(1))
            addMarkup(n, keyOf(v), std::u16string(v.substr(std::min<std::size_t>(2, v.size()))));
    } else if (id == "LB") {
        if (r.spendEntries(1)) addMarkup(n, keyOf(v), labelOfLB(v));
    } else if (id == "L") {
        for (std::size_t i = 0; i + 1 < v.size() && r.spendEntries(1); i += 2)
            addMarkup(n, keyOf(v.substr(i, 2)), {nthLabelLetter(i / 2)});
    } else {
        if (!r.spendEntries(1)) return;
        n.properties.push_back(Tasso{id, value});
        if (id == "HA") applyHandicapValue(r, n, asciiText(v));
        if (id == "SZ") boardSize = boardSizeOf(asciiText(v));
    }
}

}  // namespace veld::sgf
