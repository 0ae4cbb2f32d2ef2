// The file commands of the study room: new record, open, save, save under a new name, the record
// information dialog, taking the current position as a new record; the saving of finished games;
// and the shared step that turns a record received as text into a window on a given page.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "go/rooms.h"
#include "go/sgf_reader.h"
#include "go/sgf_writer.h"
#include "protocol/datetime.h"

namespace veld {

class Dialogs;
class NameLists;
class Shell;
class SoundEffects;
class TextTable;
struct Language;

// The record information dialog "Game Record Title": filled before it opens, read back after OK.
struct RecordInfoModel {
    std::u16string title, black, blackRank, white, whiteRank, result, date, komi;
    // The drop-down items of the title box and of the two name boxes (NameLists::items).
    std::vector<std::u16string> titleItems, playerItems;
};

// How the record information dialog closed: OK, Cancel, or "編輯" chosen in the title box or in
// a name box.
enum class RecordInfoAnswer { ok, cancel, editTitles, editPlayers };

// The dialogs of the study room's file commands.
class StudyFileDialogs {
  public:
    virtual ~StudyFileDialogs() = default;
    // The open dialog: several files, filter "sgf files (*.sgf)|*.sgf", in the current folder.
    // Empty when cancelled.
    virtual std::vector<std::filesystem::path> openFiles() = 0;
    // The save dialog: filter "sgf |*.sgf", in the current folder, proposing the file name (may
    // be empty). nullopt when cancelled.
    virtual std::optional<std::filesystem::path> saveFile(std::u16string_view proposedName) = 0;
    // The modal record information dialog; the model holds what the user left in it.
    virtual RecordInfoAnswer recordInfo(RecordInfoModel& model) = 0;
    // Shows the editor page "編輯" with the text and the hint that says what it edits.
    virtual void openEditor(std::u16string_view text, std::string_view hint) = 0;
};

// What the study room's file commands read besides their ports.
struct StudyFilesEnvironment {
    // The current local date-time (new records are dated with it).
    std::function<DateTime()> now = [] { return nowDateTime(); };
    // The record tab "棋譜" of the topic page is visible.
    std::function<bool()> topicRecordTabVisible = [] { return false; };
};

class StudyFiles {
  public:
    // Every reference must outlive the commands.
    StudyFiles(Rooms& rooms, StudyFileDialogs& dialogs, Dialogs& boxes, Shell& shell,
               Language& language, SoundEffects& sounds, NameLists& lists, const TextTable& texts,
               std::filesystem::path programFolder, StudyFilesEnvironment environment = {});

    // The board size of the next new record: 19 at start.
    int newRecordSize() const { return newRecordSize_; }
    // "開新" with a size (19, 17, 15, 13, 11, 9, 7, 5), also from the button "開新棋譜": the
    // click sound, the size kept for later new records, and a new record of that size on a new
    // study room tab captioned "New", dated today.
    void newRecord(int size);
    // "開舊" (the file code page as the user chose it) and the button "開舊棋譜" (the file code
    // page of the system's language first). Every file chosen that holds a record opens on a tab
    // of its own; then the click sound, and one warning naming the files that could not be read.
    void openFiles(bool fromButton);
    // "存檔" (WithVoice) and "存簡" (WithoutComments): the current window written to its file,
    // or to a file chosen in the save dialog for a record that has none. False when nothing was
    // written (no window, cancelled, or the file cannot be written, which a warning tells).
    bool save(SgfWriteMode mode);
    // "另存": as save, with the dialog always, proposing black-white + suffix; writes WithVoice.
    bool saveAs(std::u16string_view suffix = u"");
    // "內容": the record information dialog for the current window. OK takes the information
    // into the record and renames the tab; "編輯" opens the editor page with its list.
    void recordInformation();
    // "擷取棋形": the current window's position as the setup stones of a new study record.
    void takePosition();
    // A finished game saved as games/<stampNow>-<black>-<white>.sgf below the program folder
    // (characters that no file name may hold become "_"), which becomes the window's file name.
    // Empty, with the window's file name unchanged and a warning shown, when it cannot be
    // written.
    std::filesystem::path autosavegamefile(GoBrowser& window, DateTime now);
    // A record received as text, as a new window shown as the page shows records: study room,
    // observation room, game records page, topic page. Null, with "檔案格式錯誤！" in the status
    // line, when the text holds no record. On any other page the window is on no tab: it is
    // kept here until the next such window replaces it.
    GoBrowser* scanAndShowSGFstring(std::string_view text, Room page);
    // A record shown for marking on the page, at k moves from its start, where the user may not
    // act. Null when the text holds no record.
    GoBrowser* scansgfgoto(std::string_view text, int k, Room page);
    // The study room page came to the front: with no window there, a new empty record (as
    // "開新" at the current size, without the sound).
    void studyRoomShown();

  private:
    SgfReadOptions readOptions() const;
    // The caption of a record's tab: black-white, or "無題" when both names are empty.
    std::u16string recordCaption(const GoBrowser& window) const;
    // A new window with an empty record of the size, its event written "New".
    std::unique_ptr<GoBrowser> newStudyWindow(int size) const;
    void openNewRecord();
    // The window read from the text; null (status line told) when it holds no record.
    std::unique_ptr<GoBrowser> readRecordText(std::string_view text);
    // Writes the window to the file; on success the file becomes its file name, otherwise a
    // warning names the file.
    bool writeTo(GoBrowser& window, const std::filesystem::path& path, SgfWriteMode mode);
    bool saveWithDialog(GoBrowser& window, std::u16string_view proposedName, SgfWriteMode mode);

    Rooms& rooms_;
    StudyFileDialogs& dialogs_;
    Dialogs& boxes_;
    Shell& shell_;
    Language& language_;
    SoundEffects& sounds_;
    NameLists& lists_;
    const TextTable& texts_;
    std::filesystem::path programFolder_;
    StudyFilesEnvironment environment_;
    int newRecordSize_ = 19;
    std::unique_ptr<GoBrowser> pageWindow_;  // the window of a page that shows no records
};

// The name with every character that no file name may hold (/ \ : * ? " < > | and control
// characters) replaced by "_".
std::u16string safeFileName(std::u16string_view name);

}  // namespace veld
