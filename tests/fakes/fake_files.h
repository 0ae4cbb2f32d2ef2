// Recording fakes of the file player and of the study room's file dialogs, and a scratch folder
// for the files they work on.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sound/sound_effects.h"
#include "study/study_files.h"

namespace veld::testing {

// A new empty folder below the system's temporary folder, removed with everything in it at the
// end of its scope.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes the bytes to the file below the folder (its folders made as needed).
    std::filesystem::path write(const std::filesystem::path& relative,
                                std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

// Records "close", "open <file name>" and "play"; opens every file except those named in
// unplayable (by file name).
class FakeSoundPlayer : public SoundPlayer {
  public:
    void close() override;
    bool open(const std::filesystem::path& path) override;
    void play() override;
    bool isPlaying() const override { return playing; }

    std::vector<std::string> events;
    std::set<std::string> unplayable;
    bool playing = false;
};

class FakeStudyFileDialogs : public StudyFileDialogs {
  public:
    std::vector<std::filesystem::path> openFiles() override;
    std::optional<std::filesystem::path> saveFile(std::u16string_view proposedName) override;
    RecordInfoAnswer recordInfo(RecordInfoModel& model) override;
    void openEditor(std::u16string_view text, std::string_view hint) override;

    // The files chosen in the open dialogs, in order; cancel when none is left.
    std::deque<std::vector<std::filesystem::path>> openAnswers;
    // The files chosen in the save dialogs, in order; nullopt and an empty queue are Cancel.
    std::deque<std::optional<std::filesystem::path>> saveAnswers;
    std::vector<std::u16string> proposedNames;
    // What the user does in the record information dialog; Cancel without it.
    std::function<RecordInfoAnswer(RecordInfoModel&)> onRecordInfo;
    std::vector<RecordInfoModel> recordInfoShown;  // the models as the dialogs opened
    std::vector<std::pair<std::u16string, std::string>> editorsOpened;  // text, hint
};

}  // namespace veld::testing
