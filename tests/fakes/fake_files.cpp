#include "fakes/fake_files.h"

#include <unistd.h>

#include <atomic>
#include <fstream>

namespace veld::testing {

TempFolder::TempFolder() {
    static std::atomic<int> made{0};
    path_ = std::filesystem::temp_directory_path() /
            ("veld_files_" + std::to_string(::getpid()) + "_" + std::to_string(made++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::write(const std::filesystem::path& relative,
                                        std::string_view bytes) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

void FakeSoundPlayer::close() {
    events.emplace_back("close");
    playing = false;
}

bool FakeSoundPlayer::open(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    events.push_back("open " + name);
    return !unplayable.contains(name);
}

void FakeSoundPlayer::play() {
    events.emplace_back("play");
    playing = true;
}

std::vector<std::filesystem::path> FakeStudyFileDialogs::openFiles() {
    if (openAnswers.empty()) return {};
    std::vector<std::filesystem::path> chosen = std::move(openAnswers.front());
    openAnswers.pop_front();
    return chosen;
}

std::optional<std::filesystem::path> FakeStudyFileDialogs::saveFile(
    std::u16string_view proposedName) {
    proposedNames.emplace_back(proposedName);
    if (saveAnswers.empty()) return std::nullopt;
    std::optional<std::filesystem::path> chosen = std::move(saveAnswers.front());
    saveAnswers.pop_front();
    return chosen;
}

RecordInfoAnswer FakeStudyFileDialogs::recordInfo(RecordInfoModel& model) {
    recordInfoShown.push_back(model);
    return onRecordInfo ? onRecordInfo(model) : RecordInfoAnswer::cancel;
}

void FakeStudyFileDialogs::openEditor(std::u16string_view text, std::string_view hint) {
    editorsOpened.emplace_back(std::u16string(text), std::string(hint));
}

}  // namespace veld::testing
