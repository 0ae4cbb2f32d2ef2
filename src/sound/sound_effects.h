// Sound effects: short WAV files in the wave folder below the program folder, played at events of
// the game (a stone placed, a click, an error, the start and end of a game, the last seconds of a
// byo-yomi period, a promotion). One file player plays them, one at a time; a new effect cuts off
// the one before. The setting "soundx" turns them all off.
#pragma once

#include <filesystem>
#include <span>
#include <string_view>

namespace veld {

class SettingsStore;

// The platform's file player: one sound at a time.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Cuts off what plays and lets go of the file.
    virtual void close() = 0;
    // Takes the file to play; false when it cannot be played.
    virtual bool open(const std::filesystem::path& path) = 0;
    // Starts the file opened last and returns at once; the sound runs on.
    virtual void play() = 0;
    virtual bool isPlaying() const = 0;
};

class SoundEffects {
  public:
    // folder is the wave folder (programFolder / "wave"). The effects are on unless the setting
    // "soundx" holds a value other than "1". player and settings must outlive the effects.
    SoundEffects(SoundPlayer& player, std::filesystem::path folder, SettingsStore& settings);

    // Plays the file of that name in the wave folder: nothing while the effects are off or
    // silenced, for a name that is not a plain file name (a path, "..", a drive) and for a file
    // that is not there. A file the player cannot open silences every later effect.
    void playSound(std::string_view name);
    // Plays any file, whatever the setting and also once silenced; true when it plays (false for
    // a missing file or one the player cannot open).
    bool playxsound(const std::filesystem::path& path);
    // The stone sound, "stone.wav".
    void playstoneClickSound();

    bool soundOn() const { return soundOn_; }
    // The menu's check mark "落子聲音": kept, and written to "soundx" ("1" or "0") at once.
    void setSoundOn(bool on);
    // The player is playing now (an effect or any other file).
    bool isPlaying() const;
    // A sound file could not be opened: no effect plays until the program ends.
    bool silenced() const { return silenced_; }

  private:
    SoundPlayer& player_;
    std::filesystem::path folder_;
    SettingsStore& settings_;
    bool soundOn_ = true;
    bool silenced_ = false;
};

// The file names of every sound effect, as the wave folder holds them: "stone.wav", "click.wav",
// "error.wav", "elearn.wav", "17.wav", "16.wav", "12.wav", "13.wav", "14.wav", "1.wav" to
// "9.wav", "Applaud.wav", "camera.wav".
std::span<const std::string_view> soundTableFiles();

// A file a player can open: a RIFF/WAVE file whose "fmt " chunk describes PCM (1 or 2 channels,
// 8 or 16 bits, 1000 to 192000 samples a second, a matching block size) and comes before a "data"
// chunk that lies wholly within the file.
bool isPlayableWav(const std::filesystem::path& path);

}  // namespace veld
