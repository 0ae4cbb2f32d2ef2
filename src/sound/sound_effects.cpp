#include "sound/sound_effects.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>

#include "protocol/ports.h"

namespace veld {

namespace {

constexpr std::string_view kSoundSetting = "soundx";

// A name that stays in the wave folder: no folder part, no parent, no drive.
bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == ".") return false;
    if (name.find("..") != std::string_view::npos) return false;
    return name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::uint32_t littleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

SoundEffects::SoundEffects(SoundPlayer& player, std::filesystem::path folder,
                           SettingsStore& settings)
    : player_(player), folder_(std::move(folder)), settings_(settings) {
    const std::string value = settings_.readString(kSoundSetting);
    soundOn_ = value.empty() || value == "1";
}

void SoundEffects::playSound(std::string_view name) {
    if (!soundOn_ || silenced_ || !isPlainFileName(name)) return;
    const std::filesystem::path path = folder_ / std::string(name);
    if (!isFile(path)) return;
    player_.close();
    if (!player_.open(path)) {
        silenced_ = true;
        return;
    }
    player_.play();
}

bool SoundEffects::playxsound(const std::filesystem::path& path) {
    if (!isFile(path)) return false;
    player_.close();
    if (!player_.open(path)) return false;
    player_.play();
    return true;
}

void SoundEffects::playstoneClickSound() {
    playSound("stone.wav");
}

void SoundEffects::setSoundOn(bool on) {
    soundOn_ = on;
    settings_.writeString(kSoundSetting, on ? "1" : "0");
}

bool SoundEffects::isPlaying() const {
    return player_.isPlaying();
}

std::span<const std::string_view> soundTableFiles() {
    static constexpr std::array<std::string_view, 20> kFiles{
        "stone.wav", "click.wav", "error.wav", "elearn.wav", "17.wav",      "16.wav",    "12.wav",
        "13.wav",    "14.wav",    "1.wav",     "2.wav",      "3.wav",       "4.wav",     "5.wav",
        "6.wav",     "7.wav",     "8.wav",     "9.wav",      "Applaud.wav", "camera.wav"};
    return kFiles;
}

bool isPlayableWav(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, error);
    if (error) return false;
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 12> riff{};
    if (!in.read(reinterpret_cast<char*>(riff.data()), riff.size())) return false;
    if (std::string_view(reinterpret_cast<const char*>(riff.data()), 4) != "RIFF" ||
        std::string_view(reinterpret_cast<const char*>(riff.data()) + 8, 4) != "WAVE")
        return false;
    // The chunks end where the RIFF header says, or earlier when the file is shorter.
    const std::uintmax_t end = std::min<std::uintmax_t>(fileSize, littleEndian(&riff[4], 4) + 8u);
    bool formatOk = false;
    std::uintmax_t at = riff.size();
    while (at + 8 <= end) {
        std::array<unsigned char, 8> header{};
        in.seekg(static_cast<std::streamoff>(at));
        if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) return false;
        const std::string_view id(reinterpret_cast<const char*>(header.data()), 4);
        const std::uintmax_t size = littleEndian(&header[4], 4);
        const std::uintmax_t body = at + header.size();
        if (id == "fmt ") {
            std::array<unsigned char, 16> fmt{};
            if (size < fmt.size() || body + fmt.size() > end) return false;
            if (!in.read(reinterpret_cast<char*>(fmt.data()), fmt.size())) return false;
            const std::uint32_t format = littleEndian(&fmt[0], 2);
            const std::uint32_t channels = littleEndian(&fmt[2], 2);
            const std::uint32_t rate = littleEndian(&fmt[4], 4);
            const std::uint32_t blockAlign = littleEndian(&fmt[12], 2);
            const std::uint32_t bits = littleEndian(&fmt[14], 2);
            formatOk = format == 1 && (channels == 1 || channels == 2) &&
                       (bits == 8 || bits == 16) && rate >= 1000 && rate <= 192000 &&
                       blockAlign == channels * bits / 8;
            if (!formatOk) return false;
        } else if (id == "data") {
            return formatOk && body + size <= fileSize;
        }
        // Chunks are padded to an even length.
        at = body + size + (size & 1u);
    }
    return false;
}

}  // namespace veld
