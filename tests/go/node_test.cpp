#include "go/node.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "go/diagram.h"
#include "go/tree.h"

namespace veld {
namespace {

using test::pointList;

Node& play(Node& at, int colour, std::string_view point) {
    return addMove(at, colour, point[0] - 'a' + 1, point[1] - 'a' + 1);
}

// Numbers every node below n in document order, as a record reader does.
void numberInDocumentOrder(Node& root) {
    int next = 1;
    std::vector<Node*> stack{&root};
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        n->sequenceNumber = next++;
        std::vector<Node*> children;
        for (Node* c = n->firstChild.get(); c; c = c->nextSibling.get()) children.push_back(c);
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
}

// root
//  +- a: B pd - b: W dp - c: setup only - d: B dd - e: W pp
//  +- v2: B dd
//  +- v3: B pp - v3a: W jj
struct Record {
    std::unique_ptr<Node> root = std::make_unique<Node>();
    Node& a = play(*root, kBlack, "pd");
    Node& b = play(a, kWhite, "dp");
    Node& c = addMove(b, kEmpty, 0, 0);
    Node& d = play(c, kBlack, "dd");
    Node& e = play(d, kWhite, "pp");
    Node& v2 = play(*root, kBlack, "dd");
    Node& v3 = play(*root, kBlack, "pp");
    Node& v3a = play(v3, kWhite, "jj");

    Record() { numberInDocumentOrder(*root); }
};

TEST(GameTree, VariationsAtTheRoot) {
    Record r;
    EXPECT_EQ(variationIndex(r.a), 1);
    EXPECT_EQ(variationIndex(r.v2), 2);
    EXPECT_EQ(variationIndex(r.v3), 3);
    for (Node* n : {&r.a, &r.v2, &r.v3}) EXPECT_TRUE(hasVariations(*n));
    EXPECT_FALSE(hasVariations(r.b));
    EXPECT_FALSE(hasVariations(*r.root));
    EXPECT_EQ(&followMainLine(*r.root, 1), &r.a);
    EXPECT_EQ(lastChild(*r.root), &r.v3);
    EXPECT_EQ(lastChild(r.e), nullptr);
    EXPECT_EQ(r.v3.prevSibling, &r.v2);
    EXPECT_EQ(r.v2.prevSibling, &r.a);
    EXPECT_EQ(r.a.prevSibling, nullptr);
    for (Node* n : {&r.a, &r.v2, &r.v3}) EXPECT_EQ(n->parent, r.root.get());
}

TEST(GameTree, MoveNumbersRestartAfterANodeWithoutMove) {
    Record r;
    const std::pair<const Node*, int> cases[] = {
        {r.root.get(), 0}, {&r.a, 1}, {&r.b, 2},  {&r.c, 0},
        {&r.d, 1},         {&r.e, 2}, {&r.v2, 1}, {&r.v3a, 2},
    };
    for (const auto& [n, number] : cases) EXPECT_EQ(moveNumber(*n), number) << n->sequenceNumber;
}

TEST(GameTree, WalksAlongTheMainLine) {
    auto root = std::make_unique<Node>();
    Node* last = root.get();
    for (int i = 1; i <= 50; ++i) last = &addMove(*last, i % 2 ? kBlack : kWhite, 1 + i % 19, 1);
    EXPECT_EQ(mainLineLength(*root), 50);
    EXPECT_EQ(&followMainLine(*root, 1000), last);
    EXPECT_EQ(moveNumber(*last), 50);
    EXPECT_EQ(&followMainLine(*root, 0), root.get());
    EXPECT_EQ(&followMainLine(*root, -5), root.get());
    EXPECT_EQ(mainLineLength(*last), 0);

    Record r;
    EXPECT_EQ(mainLineLength(*r.root), 5);
    EXPECT_EQ(ancestor(r.e, 1), &r.d);
    EXPECT_EQ(ancestor(r.e, 5), r.root.get());
    EXPECT_EQ(ancestor(r.e, 6), nullptr);
    EXPECT_EQ(ancestor(r.e, 0), nullptr);
    EXPECT_EQ(ancestor(r.e, -1), nullptr);
    EXPECT_EQ(pathToRoot(r.e), (std::vector<Node*>{&r.e, &r.d, &r.c, &r.b, &r.a, r.root.get()}));
    EXPECT_EQ(pathToRoot(*r.root), std::vector<Node*>{r.root.get()});
}

TEST(GameTree, FindBySequenceSearchesTheSubtreeThenLaterSiblings) {
    Record r;
    // Document order: root 1, a 2, b 3, c 4, d 5, e 6, v2 7, v3 8, v3a 9.
    for (Node* n : {r.root.get(), &r.a, &r.c, &r.e, &r.v2, &r.v3a})
        EXPECT_EQ(findBySequence(*r.root, n->sequenceNumber), n);
    EXPECT_EQ(r.v3a.sequenceNumber, 9);
    EXPECT_EQ(findBySequence(*r.root, 10), nullptr);
    EXPECT_EQ(findBySequence(*r.root, 0), nullptr);
    EXPECT_EQ(findBySequence(r.a, 9), &r.v3a);    // a later sibling's subtree
    EXPECT_EQ(findBySequence(r.v2, 2), nullptr);  // an earlier sibling is not searched
    EXPECT_EQ(findBySequence(r.b, 7), nullptr);   // nor anything above the start's level
    EXPECT_EQ(findBySequence(r.d, 6), &r.e);
    const Node& constRoot = *r.root;
    EXPECT_EQ(findBySequence(constRoot, 5), &r.d);
}

TEST(GameTree, DeletingAVariationRelinksItsNeighbours) {
    {
        Record r;  // the first of three
        EXPECT_TRUE(deleteNode(r.a));
        EXPECT_EQ(r.root->firstChild.get(), &r.v2);
        EXPECT_EQ(r.v2.prevSibling, nullptr);
        EXPECT_EQ(variationIndex(r.v2), 1);
        EXPECT_EQ(mainLineLength(*r.root), 1);
    }
    {
        Record r;  // the middle one
        EXPECT_TRUE(deleteNode(r.v2));
        EXPECT_EQ(r.a.nextSibling.get(), &r.v3);
        EXPECT_EQ(r.v3.prevSibling, &r.a);
        EXPECT_EQ(variationIndex(r.v3), 2);
    }
    {
        Record r;  // the last one, then the only child left below b
        EXPECT_TRUE(deleteNode(r.v3));
        EXPECT_EQ(r.v2.nextSibling, nullptr);
        EXPECT_EQ(lastChild(*r.root), &r.v2);
        EXPECT_TRUE(deleteNode(r.c));
        EXPECT_EQ(r.b.firstChild, nullptr);
        EXPECT_EQ(mainLineLength(*r.root), 2);
    }
    {
        Record r;  // a root belongs to its owner, not to the tree
        EXPECT_FALSE(deleteNode(*r.root));
        EXPECT_EQ(unlinkNode(*r.root), nullptr);
        EXPECT_EQ(lastChild(*r.root), &r.v3);
    }
}

TEST(GameTree, UnlinkHandsOverTheDetachedSubtree) {
    Record r;
    std::unique_ptr<Node> taken = unlinkNode(r.v3);
    ASSERT_EQ(taken.get(), &r.v3);
    EXPECT_EQ(taken->parent, nullptr);
    EXPECT_EQ(taken->prevSibling, nullptr);
    EXPECT_EQ(taken->nextSibling, nullptr);
    EXPECT_EQ(taken->firstChild.get(), &r.v3a);
    EXPECT_EQ(r.v3a.parent, taken.get());
    EXPECT_EQ(lastChild(*r.root), &r.v2);
}

TEST(GameTree, AddingMovesAndAppendingToTheMainLine) {
    Record r;
    Tgp captured;
    captured.x = 3;
    captured.y = 4;
    Node& v4 = addMove(*r.root, kWhite, 5, 6, std::span(&captured, 1));
    EXPECT_EQ(v4.prevSibling, &r.v3);
    EXPECT_EQ(variationIndex(v4), 4);
    EXPECT_EQ(pointList(v4.captures), "cd");
    EXPECT_FALSE(v4.applied);
    EXPECT_EQ(v4.sequenceNumber, 0);

    Node& tail = appendToMainLine(r.b, kBlack, 10, 10);
    EXPECT_EQ(tail.parent, &r.e);
    EXPECT_EQ(r.e.firstChild.get(), &tail);
    EXPECT_EQ(mainLineLength(*r.root), 6);
    EXPECT_EQ(moveNumber(tail), 3);
    Node& next = appendToMainLine(tail, kWhite, 1, 1);
    EXPECT_EQ(tail.firstChild.get(), &next);
}

TEST(GameTree, SetupStonesMarkupAndProperties) {
    Node n;
    addSetupStone(n, kBlack, 4, 4);
    addSetupStone(n, kWhite, 16, 16);
    addSetupStone(n, kBlack, 16, 4);
    EXPECT_EQ(pointList(n.blackSetup), "dd pd");
    EXPECT_EQ(pointList(n.whiteSetup), "pp");
    addMarkup(n, "dd", u"A");
    addMarkup(n, "pd", std::u16string(1, kTriangleMark));
    addMarkup(n, "dd", u"B");
    EXPECT_EQ(labelForPoint(n.markup, "dd"), u"A");  // the first entry wins
    EXPECT_EQ(labelForPoint(n.markup, "pd"), std::u16string(1, kTriangleMark));
    EXPECT_EQ(labelForPoint(n.markup, "qq"), u"");
    EXPECT_EQ(labelForPoint({}, "dd"), u"");

    n.properties = {{"PB", u"黑"}, {"KM", u"6.5"}, {"PB", u"second"}};
    EXPECT_EQ(lookupProperty(n, "PB"), u"黑");
    EXPECT_EQ(lookupProperty(n, "KM"), u"6.5");
    EXPECT_EQ(lookupProperty(n, "pb"), u"");  // identifiers are case-sensitive
    EXPECT_EQ(lookupProperty(n, "P"), u"");
}

TEST(GameTree, NextLabelLetter) {
    const std::u16string triangle(1, kTriangleMark);
    const std::u16string square(1, kSquareMark);
    struct Case {
        std::vector<std::u16string> labels;
        char16_t next;
    };
    const Case cases[] = {
        {{}, u'A'},
        {{u"A"}, u'B'},
        {{u"C", u"A"}, u'B'},  // the last label counts, not the highest
        {{u"Z"}, u'a'},
        {{u"z"}, u'A'},
        {{u"Mx"}, u'N'},  // first character only
        {{u"D", triangle}, u'E'},
        {{u"D", square, triangle}, u'E'},
        {{triangle, square}, u'A'},
        {{u"F", u""}, u'G'},
    };
    for (const Case& c : cases) {
        Node n;
        for (const auto& label : c.labels) addMarkup(n, "aa", label);
        EXPECT_EQ(nextLabelLetter(n), c.next) << c.labels.size();
    }
}

TEST(GameTree, VeryLongLinesAndVeryManyVariationsNeedNoDeepStack) {
    constexpr int kLength = 100000;
    auto root = std::make_unique<Node>();
    Node* last = root.get();
    for (int i = 1; i <= kLength; ++i) {
        last = &addMove(*last, i % 2 ? kBlack : kWhite, 1 + i % 19, 1 + i / 19 % 19);
        last->sequenceNumber = i + 1;
    }
    EXPECT_EQ(findBySequence(*root, kLength + 1), last);
    EXPECT_EQ(findBySequence(*root, kLength + 2), nullptr);
    EXPECT_EQ(mainLineLength(*root), kLength);
    EXPECT_EQ(moveNumber(*last), kLength);
    EXPECT_EQ(pathToRoot(*last).size(), static_cast<std::size_t>(kLength) + 1);

    // Deleting a node deep in the line frees the rest of the line below it.
    Node& middle = followMainLine(*root, kLength / 2);
    Node* parent = middle.parent;
    EXPECT_TRUE(deleteNode(middle));
    EXPECT_EQ(parent->firstChild, nullptr);
    EXPECT_EQ(mainLineLength(*root), kLength / 2 - 1);

    constexpr int kVariations = 10000;
    Node* wide = &followMainLine(*root, 10);
    for (int i = 1; i <= kVariations; ++i) {
        Node& v = addMove(*wide, kBlack, 1 + i % 19, 1);
        v.sequenceNumber = -i;
        addMove(v, kWhite, 2, 2).sequenceNumber = -i - kVariations;
    }
    EXPECT_EQ(variationIndex(*lastChild(*wide)), kVariations + 1);  // after the main line's child
    EXPECT_EQ(findBySequence(*root, -kVariations - kVariations), &*lastChild(*wide)->firstChild);
    root.reset();  // destroys the lot
}

}  // namespace
}  // namespace veld
