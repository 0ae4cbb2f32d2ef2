#include "veld_sgf/sgf_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "go/sgf_collection.h"
#include "go/sgf_reader.h"
#include "go/sgf_tree_text.h"
#include "go/tree.h"
#include "protocol/fields.h"

namespace veld::tool {
namespace {

namespace fs = std::filesystem;

class SgfTool : public testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("veld_sgf_tool_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(const std::string& name, const std::string& text) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string contents(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    int run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int status = runSgfTool(args, out, err);
        out_ = out.str();
        err_ = err.str();
        return status;
    }

    fs::path dir_;
    std::string out_, err_;
};

TEST_F(SgfTool, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"convert", "a"},
        {"check"},
        {"to-sgf", "a"},
        {"to-record", "a", "b", "c"},
        {"--bogus", "check", "a"},
        {"--codepage", "1252", "check", "a"},
        {"check", "a", "--codepage"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(run(args), kUsage) << testing::PrintToString(args);
        EXPECT_NE(err_.find("usage:"), std::string::npos);
        EXPECT_TRUE(out_.empty());
    }
    EXPECT_EQ(run({"--help"}), kSuccess);
    EXPECT_NE(out_.find("to-record"), std::string::npos);
    EXPECT_TRUE(err_.empty());
}

TEST_F(SgfTool, CheckPrintsOneLinePerFailingFile) {
    const std::string good = file("good.sgf", "(;B[aa])\n(;W[]C[pass])\n");
    const std::string bad = file("bad.sgf", "(;B[aa])\n(;SZ[9]\n;B[abc])\n(;W[x])(;B[bb])\n");
    EXPECT_EQ(run({"check", good}), kSuccess);
    EXPECT_TRUE(out_.empty());
    EXPECT_TRUE(err_.empty());

    EXPECT_EQ(run({"check", good, bad, path("missing.sgf")}), kFailure);
    EXPECT_EQ(out_, bad +
                        ": game 2: 3:2: a move needs two letters, or none for a pass: B[abc] "
                        "(2 of 4 games fail)\n");
    EXPECT_NE(err_.find("cannot read " + path("missing.sgf")), std::string::npos);
}

TEST_F(SgfTool, CheckReadsWithTheCodePageGiven) {
    // 0xA4 0x5D is one character in code page 950; read as code page 437 its "]" ends the value.
    const std::string f = file("big5.sgf", "(;PB[\xA4]];B[abc])");
    EXPECT_EQ(run({"check", f}), kFailure);
    EXPECT_EQ(run({"--codepage", "437", "check", f}), kSuccess);
}

TEST_F(SgfTool, NeverCrashesOnBrokenFiles) {
    const std::string f = file("junk.sgf", std::string("(;(;[]]]\\\xff\0(;B[a", 16));
    EXPECT_NE(run({"check", f}), kUsage);
    EXPECT_NE(run({"to-sgf", f, path("out.sgf")}), kUsage);
    const std::string none = file("none.sgf", "no game here");
    EXPECT_EQ(run({"check", none}), kFailure);
    EXPECT_NE(out_.find("game 1: 1:13: no game tree"), std::string::npos);
    EXPECT_EQ(run({"to-record", none, path("out.rec")}), kFailure);
    EXPECT_FALSE(fs::exists(path("out.rec")));
}

// Comments that are blank are not written to records; everything else must come back.
void clearBlankComments(Node& root) {
    std::vector<Node*> stack{&root};
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        if (trimSpacesW(n->comment).empty()) n->comment.clear();
        for (Node* c = n->firstChild.get(); c; c = c->nextSibling.get()) stack.push_back(c);
    }
}

// Standard SGF -> record -> standard SGF keeps every move (passes included), variation, setup
// stone, comment, label and player name of every game.
void expectRoundTrip(const std::string& original, const std::string& final) {
    std::vector<SgfReadResult> before = readSgfCollection(original);
    const std::vector<SgfReadResult> after = readSgfCollection(final);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE("game " + std::to_string(i + 1));
        ASSERT_TRUE(before[i].ok() && after[i].ok());
        clearBlankComments(*before[i].root);
        EXPECT_EQ(test::treeText(*after[i].root, {.sortSetup = true}),
                  test::treeText(*before[i].root, {.sortSetup = true}));
        for (const char* id : {"PB", "PW"}) {
            EXPECT_EQ(lookupProperty(*after[i].root, id),
                      trimSpacesW(lookupProperty(*before[i].root, id)));
        }
        EXPECT_EQ(after[i].boardSize, before[i].boardSize);
    }
}

TEST_F(SgfTool, StandardToRecordToStandardKeepsTheGames) {
    const std::string original =
        "(;GM[1]FF[4]SZ[13]PB[Kitani \xE5\x85\x89]PW[Go]HA[2]AB[dd][jj]C[start]\n"
        ";W[cc]LB[cc:A][dd:B]TR[ee]SQ[ff:gf];B[];W[tt]C[two passes\\]]\n"
        "(;B[aa]AW[mm];W[bb])(;B[ab]C[  ]))\n"
        "(;SZ[9]AddBlack[aa:bb];B[ee])\n";
    const std::string in = file("in.sgf", original);
    ASSERT_EQ(run({"to-record", in, path("mid.sgf")}), kSuccess) << err_;
    const std::string record = contents(path("mid.sgf"));
    EXPECT_TRUE(isRecordDialect(record));
    EXPECT_EQ(run({"check", path("mid.sgf")}), kSuccess) << out_;
    ASSERT_EQ(run({"to-sgf", path("mid.sgf"), path("out.sgf")}), kSuccess) << err_;
    expectRoundTrip(original, contents(path("out.sgf")));
}

TEST_F(SgfTool, WritesToStandardOutput) {
    const std::string in = file("in.sgf", "(;B[aa])");
    ASSERT_EQ(run({"to-sgf", in, "-"}), kSuccess);
    EXPECT_EQ(out_, "(;FF[4]CA[UTF-8]GM[1]SZ[19]KM[0]\nB[aa])\n");
}

TEST(SgfToolData, ProGamesSampleSurvivesTheRoundTrip) {
    std::ifstream in(VELD_SHARED_DATA "/pro-games/pro-games-sample.sgf", std::ios::binary);
    ASSERT_TRUE(in) << "the professional games sample is missing";
    const std::string original{std::istreambuf_iterator<char>(in), {}};
    const SgfReadOptions options;
    const SgfConversion record = convertToRecordSgf(original, options);
    ASSERT_TRUE(record.ok());
    EXPECT_EQ(record.games, 500);
    const SgfConversion standard = convertToStandardSgf(record.text, options);
    ASSERT_TRUE(standard.ok());
    expectRoundTrip(original, standard.text);
}

}  // namespace
}  // namespace veld::tool
