// The tree syntax shared by both record readers: game trees, sequences, nodes and properties,
// read over 8-bit or wide characters without recursion. What a property means is left to the
// reader's property handler, which reads the property's value itself.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "go/node.h"
#include "go/sgf_reader.h"

namespace veld::sgf {

template <class Char>
constexpr bool isSpecial(Char c) {
    return c == Char('(') || c == Char(')') || c == Char(';') || c == Char('[') || c == Char(']');
}

// Blanks and control characters: what identifiers and values are trimmed of.
template <class Char>
constexpr bool isBlank(Char c) {
    return static_cast<std::make_unsigned_t<Char>>(c) <= 0x20;
}

template <class Char>
std::basic_string_view<Char> trimBlanks(std::basic_string_view<Char> s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// 1-based line and column of offset in text. A line ends at LF, at CR LF or at a lone CR.
template <class Char>
TextPosition positionOf(std::basic_string_view<Char> text, std::size_t offset) {
    TextPosition p{1, 1};
    const std::size_t end = offset < text.size() ? offset : text.size();
    for (std::size_t i = 0; i < end; ++i) {
        const Char c = text[i];
        if (c == Char('\n') || (c == Char('\r') && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++p.line;
            p.column = 1;
        } else {
            ++p.column;
        }
    }
    return p;
}

// A cursor over the text with the grammar of game trees. Reading never goes past the end: at the
// end every loop stops and what was read so far stays.
//
// Handler must provide: void property(SyntaxReader&, Node&, std::basic_string_view<Char> id,
// std::size_t idOffset), called after the "[" that opens the first value has been read; it reads
// the value (and any further values it wants) and may call fail().
template <class Char>
class SyntaxReader {
  public:
    using View = std::basic_string_view<Char>;

    SyntaxReader(View text, std::size_t start) : text_(text), pos_(start) {}

    std::size_t position() const { return pos_; }
    bool atEnd() const { return pos_ >= text_.size(); }
    // The character at the cursor; 0 at the end.
    Char peek() const { return atEnd() ? Char(0) : text_[pos_]; }
    // Moves n characters on, or to the end.
    void skip(std::size_t n) {
        pos_ = atEnd() ? text_.size() : pos_ + std::min(n, text_.size() - pos_);
    }

    // Characters up to the next "]" (which is consumed), or to the end.
    View readRawValue() {
        const std::size_t from = pos_;
        while (!atEnd() && text_[pos_] != Char(']')) ++pos_;
        const View value = text_.substr(from, pos_ - from);
        if (!atEnd()) ++pos_;
        return value;
    }

    // The next n characters, or fewer at the end.
    View take(std::size_t n) {
        const std::size_t from = std::min(pos_, text_.size());
        const std::size_t count = std::min(n, text_.size() - from);
        pos_ = from + count;
        return text_.substr(from, count);
    }

    // After a value: skips blanks; if a "[" follows, consumes it and returns true (another value
    // of the same property follows). Otherwise the cursor stays on the first non-blank character.
    bool nextValueFollows() {
        std::size_t p = pos_;
        while (p < text_.size() && isBlank(text_[p])) ++p;
        if (p < text_.size() && text_[p] == Char('[')) {
            pos_ = p + 1;
            return true;
        }
        pos_ = p;
        return false;
    }

    void fail(std::string message, std::size_t offset) {
        if (failed_) return;
        failed_ = true;
        message_ = std::move(message);
        errorOffset_ = offset;
    }
    bool failed() const { return failed_; }
    const std::string& message() const { return message_; }
    std::size_t errorOffset() const { return errorOffset_; }

    // Counts entries (setup stones, markup, property entries) against the per-tree budget.
    // False, with the read failed, when the budget is spent.
    bool spendEntries(std::size_t n) {
        entries_ += n;
        if (entries_ <= kMaxEntriesPerTree) return true;
        fail("too many setup stones, marks or properties in one game", pos_);
        return false;
    }

    // Reads one game tree from the cursor. Null when there is none: the first special character
    // found is not "(", the text ends, or the "(" is followed by no node. Nodes are numbered 1, 2,
    // ... in document order.
    template <class Handler>
    std::unique_ptr<Node> readGameTree(Handler& handler) {
        if (!openTree()) return nullptr;
        Sequence top = readSequence(handler);
        if (!top.first) return nullptr;

        // One frame per game tree being read: its last node (where children hang) and the last
        // child hung there so far.
        struct Frame {
            Node* last;
            Node* lastChild;
        };
        std::vector<Frame> stack{{top.last, nullptr}};
        while (!stack.empty() && !failed_) {
            Frame& frame = stack.back();
            Sequence child;
            if (openTree()) child = readSequence(handler);
            if (!child.first) {  // no further child tree: this tree ends at its ")"
                closeTree();
                stack.pop_back();
                continue;
            }
            Node* first = child.first.get();
            first->parent = frame.last;
            if (frame.lastChild) {
                first->prevSibling = frame.lastChild;
                frame.lastChild->nextSibling = std::move(child.first);
            } else {
                frame.last->firstChild = std::move(child.first);
            }
            frame.lastChild = first;
            stack.push_back({child.last, nullptr});
        }
        return std::move(top.first);
    }

  private:
    struct Sequence {
        std::unique_ptr<Node> first;
        Node* last = nullptr;
    };

    // Skips to the character after the next "(". False when another special character (left
    // unread) or the end comes first.
    bool openTree() {
        while (!atEnd()) {
            const Char c = text_[pos_];
            if (c == Char('(')) {
                ++pos_;
                return true;
            }
            if (isSpecial(c)) return false;
            ++pos_;
        }
        return false;
    }

    // Skips to the character after the next ")", or to the end.
    void closeTree() {
        while (!atEnd() && text_[pos_] != Char(')')) ++pos_;
        if (!atEnd()) ++pos_;
    }

    template <class Handler>
    Sequence readSequence(Handler& handler) {
        Sequence s;
        while (!failed_) {
            std::unique_ptr<Node> n = readNode(handler);
            if (!n) break;
            Node* added = n.get();
            if (s.last) {
                n->parent = s.last;
                s.last->firstChild = std::move(n);
            } else {
                s.first = std::move(n);
            }
            s.last = added;
        }
        return s;
    }

    template <class Handler>
    std::unique_ptr<Node> readNode(Handler& handler) {
        while (!atEnd() && text_[pos_] != Char(';')) {
            if (isSpecial(text_[pos_])) return nullptr;
            ++pos_;
        }
        if (atEnd()) return nullptr;
        const std::size_t nodeOffset = pos_++;
        if (++nodes_ > kMaxNodesPerTree) {
            fail("too many nodes in one game", nodeOffset);
            return nullptr;
        }
        auto n = std::make_unique<Node>();
        n->sequenceNumber = nodes_;
        while (!failed_) {
            const std::size_t from = pos_;
            while (!atEnd() && !isSpecial(text_[pos_])) ++pos_;
            if (atEnd() || text_[pos_] != Char('[')) break;  // the node's properties end
            const View id = text_.substr(from, pos_ - from);
            ++pos_;
            handler.property(*this, *n, id, from);
        }
        return n;
    }

    View text_;
    std::size_t pos_;
    int nodes_ = 0;
    std::size_t entries_ = 0;
    bool failed_ = false;
    std::string message_;
    std::size_t errorOffset_ = 0;
};

}  // namespace veld::sgf
