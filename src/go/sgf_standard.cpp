#include "go/sgf_standard.h"

#include <string_view>
#include <vector>

#include "go/tree.h"
#include "protocol/codepage.h"
#include "protocol/points.h"

namespace veld {

namespace {

void appendEscaped(std::string& out, std::string_view utf8, bool escapeColon = false) {
    for (char c : utf8) {
        if (c == ']' || c == '\\' || (escapeColon && c == ':')) out += '\\';
        out += c;
    }
}

// A markup key as ASCII: a key that is not a point is kept, but never as broken UTF-8.
std::string asciiKey(std::string_view key) {
    std::string out;
    for (char c : key) out += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return out;
}

class StandardWriter {
  public:
    explicit StandardWriter(const RecordInfo& info) : info_(info) {}

    std::string write(const Node& root) {
        out_ += '(';
        std::vector<const Node*> open{writeSequence(root)};
        while (!open.empty()) {
            const Node* next = open.back();
            if (!next) {
                out_ += ')';
                open.pop_back();
                continue;
            }
            open.back() = next->nextSibling.get();
            out_ += "\n(";
            open.push_back(writeSequence(*next));
        }
        out_ += '\n';
        return std::move(out_);
    }

  private:
    const Node* writeSequence(const Node& n) {
        writeNode(n);
        const Node* child = n.firstChild.get();
        while (child && !hasVariations(*child)) {
            writeNode(*child);
            child = child->firstChild.get();
        }
        return child;
    }

    void property(std::string_view id, std::u16string_view text) {
        out_ += id;
        out_ += '[';
        appendEscaped(out_, wideToUtf8(text));
        out_ += ']';
    }

    void info(std::string_view id, std::u16string_view text) {
        if (!text.empty()) property(id, text);
    }

    void writeGameInfo(const Node& root) {
        out_ += "FF[4]CA[UTF-8]GM[1]SZ[" + std::to_string(info_.boardSize) + "]";
        info("PB", info_.blackName);
        info("PW", info_.whiteName);
        info("BR", info_.blackRank);
        info("WR", info_.whiteRank);
        info("EV", info_.eventName);
        info("DT", big5ToWide(info_.date));
        info("RE", big5ToWide(info_.resultCode));
        info("KM", big5ToWide(info_.komi));
        // A handicap count goes with the stones that place it; alone it would make readers
        // (ours included) place stones the record does not have.
        if (info_.handicap > 0 && !root.blackSetup.empty())
            out_ += "HA[" + std::to_string(info_.handicap) + "]";
        out_ += '\n';
    }

    void writeNode(const Node& n) {
        out_ += ';';
        if (!n.parent) writeGameInfo(n);
        if (n.colour != kEmpty) {
            out_ += n.colour > 0 ? "B[" : "W[";
            if (n.x != 0 && n.y != 0) out_ += pointCode(n.x, n.y);
            out_ += ']';
        }
        writeStones("AB", n.blackSetup);
        writeStones("AW", n.whiteSetup);
        writeMarkup(n.markup);
        if (!n.comment.empty()) property("C", n.comment);
    }

    void writeStones(std::string_view id, const std::vector<Tgp>& stones) {
        if (stones.empty()) return;
        out_ += id;
        for (const Tgp& p : stones) {
            out_ += '[';
            out_ += pointCode(p.x, p.y);
            out_ += ']';
        }
    }

    // Text labels as LB, then triangles as TR and squares as SQ.
    void writeMarkup(const std::vector<Tasso>& markup) {
        const auto markOf = [](const Tasso& m) { return m.text.empty() ? u'\0' : m.text.front(); };
        bool first = true;
        for (const Tasso& m : markup) {
            const char16_t mark = markOf(m);
            if (mark == kTriangleMark || mark == kSquareMark) continue;
            out_ += first ? "LB[" : "[";
            first = false;
            appendEscaped(out_, asciiKey(m.key), true);
            out_ += ':';
            appendEscaped(out_, wideToUtf8(m.text), true);
            out_ += ']';
        }
        for (const char16_t kind : {kTriangleMark, kSquareMark}) {
            first = true;
            for (const Tasso& m : markup) {
                if (markOf(m) != kind) continue;
                out_ += first ? (kind == kTriangleMark ? "TR[" : "SQ[") : "[";
                first = false;
                appendEscaped(out_, asciiKey(m.key));
                out_ += ']';
            }
        }
    }

    const RecordInfo& info_;
    std::string out_;
};

}  // namespace

std::string writeStandardSgf(const Node& root, const RecordInfo& info) {
    return StandardWriter(info).write(root);
}

}  // namespace veld
