#include "protocol/file_write.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace veld {
namespace {

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct ReplaceFileTest : ::testing::Test {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("veld-replace-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(ReplaceFileTest, ReplacesTheWholeFileAndLeavesNoTemporary) {
    const auto path = folder / "record.sgf";
    std::ofstream(path, std::ios::binary) << "a much longer old text";
    ASSERT_TRUE(replaceFile(path, "new"));
    EXPECT_EQ(contents(path), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ReplaceFileTest, AFailedWriteKeepsWhatWasThere) {
    // A folder in the way of the file: nothing can replace it.
    const auto blocked = folder / "taken";
    std::filesystem::create_directories(blocked / "inside");
    EXPECT_FALSE(replaceFile(blocked, "text"));
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
    // A folder that does not exist.
    EXPECT_FALSE(replaceFile(folder / "missing" / "record.sgf", "text"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace veld
