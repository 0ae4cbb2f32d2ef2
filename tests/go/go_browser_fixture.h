// Game windows for the tests: records from SGF text, the professional sample games, and a window
// shown in a room of recording fakes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "fakes/fake_room.h"
#include "go/go_browser.h"
#include "go/sgf_reader.h"

namespace veld::test {

// Drawing settings that number no moves, for windows that need no others.
inline const DrawingSettings& noNumbers() {
    static const DrawingSettings settings;
    return settings;
}

// A window holding the record of the text, at its root. The settings must outlive it.
inline std::unique_ptr<GoBrowser> windowWith(std::string_view sgf,
                                             const DrawingSettings& drawing = noNumbers()) {
    auto w = std::make_unique<GoBrowser>(drawing);
    EXPECT_TRUE(w->loadFromText(sgf)) << w->loadError();
    return w;
}

// Shows the window in the room, with its board drawn as it stands.
inline void showIn(GoBrowser& w, testing::FakeRoom& room) {
    w.views = room.views();
    w.isShown = true;
    w.redrawAll();
}

inline const std::string& sampleText() {
    static const std::string text = [] {
        const auto path =
            std::filesystem::path(VELD_SHARED_DATA) / "pro-games" / "pro-games-sample.sgf";
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return std::move(content).str();
    }();
    return text;
}

// Every game of the professional sample, read; index counts from 0.
inline void forEachSampleGame(const std::function<void(SgfReadResult&, int)>& visit) {
    ASSERT_FALSE(sampleText().empty()) << "the professional sample is missing";
    forEachSgfGame(sampleText(), SgfReadOptions{}, [&](SgfReadResult& r, int index) {
        visit(r, index);
        return true;
    });
}

}  // namespace veld::test
