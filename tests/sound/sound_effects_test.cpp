#include "sound/sound_effects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "fakes/fake_ports.h"

namespace veld {
namespace {

using Events = std::vector<std::string>;

std::string le(std::uint32_t value, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((value >> (8 * i)) & 0xFF);
    return s;
}

std::string chunk(std::string_view id, std::string_view body) {
    std::string s =
        std::string(id) + le(static_cast<std::uint32_t>(body.size()), 4) + std::string(body);
    if (body.size() % 2 == 1) s += '\0';
    return s;
}

std::string fmtBody(int format, int channels, int rate, int bits) {
    const int block = channels * bits / 8;
    return le(format, 2) + le(channels, 2) + le(rate, 4) + le(rate * block, 4) + le(block, 2) +
           le(bits, 2);
}

std::string riff(std::string_view chunks) {
    return "RIFF" + le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" +
           std::string(chunks);
}

// A tenth of a second of 8-bit mono silence.
std::string tinyWav() {
    return riff(chunk("fmt ", fmtBody(1, 1, 8000, 8)) + chunk("data", std::string(800, '\x80')));
}

testing::FakeSettingsStore settingsWith(const std::string& soundx) {
    testing::FakeSettingsStore settings;
    if (!soundx.empty()) settings.values["soundx"] = soundx;
    return settings;
}

struct Effects {
    explicit Effects(const std::string& soundx = "") : settings(settingsWith(soundx)) {
        for (const char* name : {"stone.wav", "click.wav", "error.wav"})
            folder.write(std::filesystem::path("wave") / name, tinyWav());
    }

    testing::TempFolder folder;
    testing::FakeSoundPlayer player;
    testing::FakeSettingsStore settings;
    SoundEffects sounds{player, folder.path() / "wave", settings};
};

TEST(SoundEffects, TheSettingSwitchesThemOffUnlessItIsOne) {
    for (const auto& [soundx, on] : {std::pair{"", true}, std::pair{"1", true},
                                     std::pair{"0", false}, std::pair{"yes", false}}) {
        SCOPED_TRACE(soundx);
        Effects e(soundx);
        EXPECT_EQ(e.sounds.soundOn(), on);
        e.sounds.playstoneClickSound();
        EXPECT_EQ(e.player.events, (on ? Events{"close", "open stone.wav", "play"} : Events{}));
    }

    Effects e;
    e.sounds.setSoundOn(false);
    EXPECT_EQ(e.settings.values["soundx"], "0");
    e.sounds.playSound("click.wav");
    EXPECT_TRUE(e.player.events.empty());
    e.sounds.setSoundOn(true);
    EXPECT_EQ(e.settings.values["soundx"], "1");
    e.sounds.playSound("click.wav");
    EXPECT_EQ(e.player.events, (Events{"close", "open click.wav", "play"}));
    EXPECT_TRUE(e.sounds.isPlaying());
}

TEST(SoundEffects, MissingFilesAndNamesOutsideTheFolderPlayNothing) {
    Effects e;
    // Files that exist, but outside the wave folder.
    e.folder.write("secret.wav", tinyWav());
    e.folder.write("wave/sub/inner.wav", tinyWav());
    for (const char* name : {"missing.wav", "", ".", "..", "../secret.wav", "..\\secret.wav",
                             "sub/inner.wav", "sub\\inner.wav", "C:secret.wav", "sub"}) {
        SCOPED_TRACE(name);
        e.sounds.playSound(name);
        EXPECT_TRUE(e.player.events.empty());
    }
    // Later effects still play.
    e.sounds.playSound("error.wav");
    EXPECT_EQ(e.player.events, (Events{"close", "open error.wav", "play"}));
    EXPECT_FALSE(e.sounds.silenced());
}

TEST(SoundEffects, AFileThatCannotBeOpenedSilencesEffectsButNotOtherFiles) {
    Effects e;
    e.player.unplayable.insert("error.wav");
    e.sounds.playSound("error.wav");
    EXPECT_EQ(e.player.events, (Events{"close", "open error.wav"}));
    EXPECT_TRUE(e.sounds.silenced());

    e.player.events.clear();
    e.sounds.playSound("stone.wav");
    EXPECT_TRUE(e.player.events.empty());

    // playxsound works on, also with the effects switched off, and reports what it could not do.
    e.sounds.setSoundOn(false);
    const auto voice = e.folder.write("wavetemp3.wav", tinyWav());
    EXPECT_TRUE(e.sounds.playxsound(voice));
    EXPECT_EQ(e.player.events, (Events{"close", "open wavetemp3.wav", "play"}));
    EXPECT_FALSE(e.sounds.playxsound(e.folder.path() / "none.wav"));
    EXPECT_FALSE(e.sounds.playxsound(e.folder.path() / "wave" / "error.wav"));
}

TEST(SoundEffects, EveryNameOfTheSoundTablePlaysFromTheFolder) {
    Effects e;
    for (const std::string_view name : soundTableFiles()) {
        SCOPED_TRACE(name);
        e.folder.write(std::filesystem::path("wave") / std::string(name), tinyWav());
        e.player.events.clear();
        e.sounds.playSound(name);
        EXPECT_EQ(e.player.events, (Events{"close", "open " + std::string(name), "play"}));
    }
    EXPECT_EQ(soundTableFiles().size(), 20u);
}

TEST(PlayableWav, PcmWithItsDataWithinTheFile) {
    const std::string fmt8 = chunk("fmt ", fmtBody(1, 1, 8000, 8));
    const std::string fmt16 = chunk("fmt ", fmtBody(1, 2, 44100, 16));
    const std::string data = chunk("data", std::string(400, '\0'));
    const std::string whole = riff(fmt8 + data);
    struct Case {
        const char* what;
        std::string bytes;
        bool playable;
    };
    const std::vector<Case> cases{
        {"8-bit mono", whole, true},
        // An odd-sized chunk before the data is padded to an even length.
        {"16-bit stereo after a list", riff(fmt16 + chunk("LIST", "abc") + data), true},
        {"data cut short", whole.substr(0, whole.size() - 100), false},
        {"no data", riff(fmt8), false},
        {"data before its format", riff(data + fmt8), false},
        {"floating point", riff(chunk("fmt ", fmtBody(3, 1, 8000, 32)) + data), false},
        {"24 bits", riff(chunk("fmt ", fmtBody(1, 1, 8000, 24)) + data), false},
        {"six channels", riff(chunk("fmt ", fmtBody(1, 6, 8000, 16)) + data), false},
        {"no rate", riff(chunk("fmt ", fmtBody(1, 1, 0, 8)) + data), false},
        {"format chunk cut short", riff(chunk("fmt ", fmtBody(1, 1, 8000, 8).substr(0, 10))),
         false},
        {"not RIFF", "RIFX" + whole.substr(4), false},
        {"not WAVE", whole.substr(0, 8) + "AVI " + whole.substr(12), false},
        {"empty", "", false},
    };
    testing::TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(isPlayableWav(folder.write("test.wav", c.bytes)), c.playable);
    }
    EXPECT_FALSE(isPlayableWav(folder.path() / "missing.wav"));
}

}  // namespace
}  // namespace veld
