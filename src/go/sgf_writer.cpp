#include "go/sgf_writer.h"

#include <string_view>
#include <vector>

#include "go/sgf_syntax.h"
#include "go/tree.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/points.h"
#include "protocol/text_table.h"
#include "protocol/wire.h"

namespace veld {

namespace {

constexpr int kSourceRow = 170;

// "]" and "\" escaped with a backslash: an "AM" value, the only one the dialect reads escapes in.
void appendEscaped(std::string& out, std::string_view s) {
    for (char c : s) {
        if (c == ']' || c == '\\') out += '\\';
        out += c;
    }
}

class RecordWriter {
  public:
    RecordWriter(SgfWriteMode mode, std::span<const Tassox> rootProperties, int codePage)
        : mode_(mode), rootProperties_(rootProperties), codePage_(codePage) {}

    // Tree(n): "(", the sequence from n, the trees of the variations where it ends, ")". Each
    // open tree keeps the next variation to write; null means the tree is closed next.
    std::string write(Node& root) {
        out_ += '(';
        std::vector<Node*> open{writeSequence(root)};
        while (!open.empty()) {
            Node* next = open.back();
            if (!next) {
                out_ += ')';
                open.pop_back();
                continue;
            }
            open.back() = next->nextSibling.get();
            out_ += '(';
            open.push_back(writeSequence(*next));
        }
        return std::move(out_);
    }

  private:
    // n and its first children for as long as they have no variations; returns the first child
    // that has variations, or null at the end of the line.
    Node* writeSequence(Node& n) {
        writeNode(n);
        Node* child = n.firstChild.get();
        while (child && !hasVariations(*child)) {
            writeNode(*child);
            child = child->firstChild.get();
        }
        return child;
    }

    void writeNode(Node& n) {
        n.sequenceNumber = ++counter_;
        out_ += ';';
        if (!n.parent) writeRootProperties();
        for (const Tasso& m : n.markup) {
            out_ += "AM[";
            appendEscaped(out_, m.key);
            appendEscaped(out_, wideToAnsi(m.text, codePage_));
            out_ += ']';
        }
        if (n.colour != kEmpty) {
            out_ += n.colour > 0 ? "B[" : "W[";
            if (n.x != 0 && n.y != 0) out_ += pointCode(n.x, n.y);  // else a pass
            out_ += ']';
        }
        writeStones("AB[", n.blackSetup);
        writeStones("AW[", n.whiteSetup);
        if (mode_ != SgfWriteMode::WithoutComments && !trimSpacesW(n.comment).empty()) {
            out_ += "C[";
            out_ += wideToHex(n.comment);
            out_ += ']';
        }
        if (mode_ == SgfWriteMode::WithVoice && !n.voice.empty()) {
            out_ += "VC[";
            out_ += std::to_string(n.voice.size());
            out_ += "]VD[";
            out_ += n.voice;
            out_ += ']';
        }
    }

    void writeStones(std::string_view tag, const std::vector<Tgp>& stones) {
        if (stones.empty()) return;
        out_ += tag;
        for (const Tgp& p : stones) out_ += pointCode(p.x, p.y);
        out_ += ']';
    }

    void writeRootProperties() {
        out_ += "UX[1]";
        for (const Tassox& p : rootProperties_) {
            if (p.key == "AB" || p.key == "AW" || p.key == "AM" || p.key == "C") continue;
            out_ += p.key;
            out_ += '[';
            for (char c : sgf::trimBlanks(std::string_view(p.value)))
                if (c != ']') out_ += c;
            out_ += ']';
        }
        out_ += "SO[";
        out_ += wideToHex(TextTable::builtIn().uiText(kSourceRow));
        out_ += ']';
    }

    SgfWriteMode mode_;
    std::span<const Tassox> rootProperties_;
    int codePage_;
    int counter_ = 0;
    std::string out_;
};

}  // namespace

std::string writeRecordSgf(Node& root, SgfWriteMode mode, std::span<const Tassox> rootProperties,
                           int systemCodePage) {
    return RecordWriter(mode, rootProperties, systemCodePage).write(root);
}

}  // namespace veld
