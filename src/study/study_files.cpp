#include "study/study_files.h"

#include <system_error>
#include <utility>

#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/language.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"
#include "sound/sound_effects.h"
#include "study/name_lists.h"

namespace veld {

namespace {

enum Row {
    kUntitledRow = 514,    // "無題"
    kBadFileRow = 529,     // "檔案格式錯誤"
    kBadTextRow = 602,     // "檔案格式錯誤！"
    kUnderscoreRow = 822,  // "_", left out of the title shown in the information dialog
};

// Record files are written in code page 950 whatever the system; the names and labels of the
// files read are taken in the same code page, so that what the program writes reads back alike.
constexpr int kRecordCodePage = 950;

constexpr std::u16string_view kCannotWrite = u"無法寫入檔案：";
constexpr std::u16string_view kNewCaption = u"New";

// The date of a new record, "yyyy/mm/dd"; empty when now is no valid date-time.
std::string shortDate(DateTime now) {
    const std::optional<DateTimeFields> f = decodeDateTime(now);
    if (!f) return {};
    return padZero(std::to_string(f->year), 4) + "/" + padZero(std::to_string(f->month), 2) + "/" +
           padZero(std::to_string(f->day), 2);
}

std::u16string withoutAll(std::u16string text, std::u16string_view part) {
    if (part.empty()) return text;
    for (std::size_t at = text.find(part); at != std::u16string::npos; at = text.find(part, at))
        text.erase(at, part.size());
    return text;
}

}  // namespace

std::u16string safeFileName(std::u16string_view name) {
    std::u16string result(name);
    for (char16_t& c : result)
        if (c < 0x20 || std::u16string_view(u"/\\:*?\"<>|").find(c) != std::u16string_view::npos)
            c = u'_';
    return result;
}

StudyFiles::StudyFiles(Rooms& rooms, StudyFileDialogs& dialogs, Dialogs& boxes, Shell& shell,
                       Language& language, SoundEffects& sounds, NameLists& lists,
                       const TextTable& texts, std::filesystem::path programFolder,
                       StudyFilesEnvironment environment)
    : rooms_(rooms),
      dialogs_(dialogs),
      boxes_(boxes),
      shell_(shell),
      language_(language),
      sounds_(sounds),
      lists_(lists),
      texts_(texts),
      programFolder_(std::move(programFolder)),
      environment_(std::move(environment)) {}

SgfReadOptions StudyFiles::readOptions() const {
    SgfReadOptions options;
    options.systemCodePage = kRecordCodePage;
    options.fileCodePage = language_.fileCodePage;
    return options;
}

std::u16string StudyFiles::recordCaption(const GoBrowser& window) const {
    const RecordInfo& info = window.info;
    if (info.blackName.empty() && info.whiteName.empty()) return texts_.uiText(kUntitledRow);
    return info.blackName + u"-" + info.whiteName;
}

std::unique_ptr<GoBrowser> StudyFiles::newStudyWindow(int size) const {
    std::unique_ptr<GoBrowser> window = rooms_.newWindow();
    window->newRecord(size);
    window->info.eventWritten = "New";
    return window;
}

void StudyFiles::openNewRecord() {
    std::unique_ptr<GoBrowser> window = newStudyWindow(newRecordSize_);
    window->info.date = shortDate(environment_.now());
    // The new tab lays the room's board picture out for the record's size.
    rooms_.createGoTab(std::move(window), kNewCaption, TabKind::newSGF, Role::study, Room::study);
}

void StudyFiles::newRecord(int size) {
    sounds_.playSound("click.wav");
    newRecordSize_ = size;
    openNewRecord();
}

void StudyFiles::studyRoomShown() {
    if (rooms_.windowCount(Room::study) == 0) openNewRecord();
}

void StudyFiles::openFiles(bool fromButton) {
    if (fromButton) {
        language_.setcodepage();
        shell_.checkOpenCodePage(language_.fileCodePage);
    }
    const std::vector<std::filesystem::path> files = dialogs_.openFiles();
    if (files.empty()) return;
    std::vector<std::filesystem::path> failed;
    for (const std::filesystem::path& file : files) {
        std::unique_ptr<GoBrowser> window = rooms_.newWindow();
        if (!window->loadFromFile(file, readOptions())) {
            failed.push_back(file);
            continue;
        }
        const std::u16string caption = recordCaption(*window);
        rooms_.createGoTab(std::move(window), caption, TabKind::oldSGF, Role::study, Room::study);
    }
    sounds_.playSound("click.wav");
    if (failed.size() == 1) {
        boxes_.showWarning(failed.front().u16string() + u" " + texts_.uiText(kBadFileRow));
    } else if (failed.size() > 1) {
        boxes_.showWarning(utf8ToWide(std::to_string(failed.size())) + u" files " +
                           texts_.uiText(kBadFileRow));
    }
}

bool StudyFiles::writeTo(GoBrowser& window, const std::filesystem::path& path, SgfWriteMode mode) {
    if (!window.saveToFile(path, mode)) {
        boxes_.showWarning(std::u16string(kCannotWrite) + path.u16string());
        return false;
    }
    window.fileName = path;
    return true;
}

bool StudyFiles::saveWithDialog(GoBrowser& window, std::u16string_view proposedName,
                                SgfWriteMode mode) {
    std::optional<std::filesystem::path> chosen = dialogs_.saveFile(safeFileName(proposedName));
    if (!chosen || chosen->empty()) return false;
    if (!chosen->has_extension()) *chosen += ".sgf";
    return writeTo(window, *chosen, mode);
}

bool StudyFiles::save(SgfWriteMode mode) {
    GoBrowser* window = rooms_.currentgobrowser();
    if (!window) return false;
    window->saveCommentEdit();
    if (!window->fileName.empty()) return writeTo(*window, window->fileName, mode);
    const RecordInfo& info = window->info;
    const bool named = !trimSpacesW(info.blackName).empty() && !trimSpacesW(info.whiteName).empty();
    return saveWithDialog(*window, named ? info.blackName + u"-" + info.whiteName : u"", mode);
}

bool StudyFiles::saveAs(std::u16string_view suffix) {
    GoBrowser* window = rooms_.currentgobrowser();
    if (!window) return false;
    window->saveCommentEdit();
    const RecordInfo& info = window->info;
    std::u16string proposed = info.blackName + u"-" + info.whiteName;
    proposed += suffix;
    return saveWithDialog(*window, proposed, SgfWriteMode::WithVoice);
}

void StudyFiles::recordInformation() {
    GoBrowser* window = rooms_.currentgobrowser();
    if (!window) return;
    RecordInfo& info = window->info;
    RecordInfoModel model;
    model.title = withoutAll(info.eventName, texts_.uiText(kUnderscoreRow));
    model.black = info.blackName;
    model.blackRank = big5ToWide(info.blackRankWritten);
    model.white = info.whiteName;
    model.whiteRank = big5ToWide(info.whiteRankWritten);
    model.result = big5ToWide(info.resultCode);
    model.date = big5ToWide(info.date);
    model.komi = big5ToWide(info.komi);
    model.titleItems = lists_.items(NameList::games);
    model.playerItems = lists_.items(NameList::players);

    switch (dialogs_.recordInfo(model)) {
        case RecordInfoAnswer::cancel:
            return;
        case RecordInfoAnswer::editTitles:
            dialogs_.openEditor(lists_.editText(NameList::games), NameLists::hint(NameList::games));
            return;
        case RecordInfoAnswer::editPlayers:
            dialogs_.openEditor(lists_.editText(NameList::players),
                                NameLists::hint(NameList::players));
            return;
        case RecordInfoAnswer::ok:
            break;
    }
    info.setEventName(model.title);
    info.setBlackName(model.black);
    info.setWhiteName(model.white);
    info.setResultCode(wideToBig5(trimSpacesW(model.result)), texts_);
    info.setBlackRank(model.blackRank);
    info.setWhiteRank(model.whiteRank);
    info.date = wideToBig5(model.date);
    info.komi = wideToBig5(model.komi);
    window->refreshPlayers();
    if (!info.blackNameWritten.empty())
        rooms_.setTabCaption(*window, info.blackName + u"-" + info.whiteName);
}

void StudyFiles::takePosition() {
    const GoBrowser* source = rooms_.currentgobrowser();
    if (!source) return;
    const std::vector<Tgp> stones = source->board().occupiedPoints();
    GoBrowser& window = rooms_.createGoTab(newStudyWindow(source->boardSize()), kNewCaption,
                                           TabKind::newSGF, Role::study, Room::study);
    for (const Tgp& stone : stones) window.addSetupStone(stone.x, stone.y, stone.colour);
}

std::filesystem::path StudyFiles::autosavegamefile(GoBrowser& window, DateTime now) {
    const std::filesystem::path folder = programFolder_ / "games";
    std::error_code ignored;  // a folder that cannot be made shows as a file that cannot be written
    std::filesystem::create_directories(folder, ignored);
    const RecordInfo& info = window.info;
    const std::u16string name =
        utf8ToWide(stampNow(now)) + u"-" + info.blackName + u"-" + info.whiteName + u".sgf";
    const std::filesystem::path path = folder / std::filesystem::path(safeFileName(name));
    return writeTo(window, path, SgfWriteMode::Normal) ? path : std::filesystem::path();
}

std::unique_ptr<GoBrowser> StudyFiles::readRecordText(std::string_view text) {
    std::unique_ptr<GoBrowser> window = rooms_.newWindow();
    if (!window->loadFromText(text, readOptions())) {
        shell_.showStatus(texts_.uiText(kBadTextRow));
        return nullptr;
    }
    return window;
}

GoBrowser* StudyFiles::scanAndShowSGFstring(std::string_view text, Room page) {
    std::unique_ptr<GoBrowser> read = readRecordText(text);
    if (!read) return nullptr;
    const std::u16string caption = recordCaption(*read);
    switch (page) {
        case Room::study: {
            GoBrowser& w = rooms_.createGoTab(std::move(read), caption, TabKind::oldSGF,
                                              Role::study, Room::study);
            w.mayAct = true;
            // A record that starts from a position is shown at its start; any other at move 10.
            const Node& root = w.root();
            const Node* first = root.colour == kEmpty ? root.firstChild.get() : &root;
            if (root.blackSetup.empty() && (!first || first->blackSetup.empty())) w.moveBy(10);
            return &w;
        }
        case Room::observation: {
            const std::u16string players = read->info.blackName + u"-" + read->info.whiteName;
            GoBrowser& w = rooms_.createGoTab(std::move(read), players, TabKind::obgame,
                                              Role::observing, Room::observation);
            w.phase = Phase::searchRecord;
            w.autoplaying = true;
            w.goToStart();
            return &w;
        }
        case Room::gameRecords: {
            GoBrowser& w = rooms_.createGoTab(std::move(read), caption, TabKind::oldSGF,
                                              Role::study, Room::gameRecords);
            w.moveBy(10);
            w.mayAct = false;
            return &w;
        }
        case Room::topics: {
            GoBrowser& w = rooms_.createGoTab(std::move(read), caption, TabKind::oldSGF,
                                              Role::study, Room::topics);
            w.mayAct = true;
            if (w.root().blackSetup.empty() && environment_.topicRecordTabVisible()) w.moveBy(10);
            return &w;
        }
        case Room::game:
        case Room::patternSearch:
        case Room::gameMarks:
            break;
    }
    pageWindow_ = std::move(read);
    return pageWindow_.get();
}

GoBrowser* StudyFiles::scansgfgoto(std::string_view text, int k, Room page) {
    std::unique_ptr<GoBrowser> read = readRecordText(text);
    if (!read) return nullptr;
    const std::u16string caption = recordCaption(*read);
    GoBrowser& w =
        rooms_.createGoTab(std::move(read), caption, TabKind::marksgf, Role::study, page);
    w.moveBy(k);
    w.mayAct = false;
    return &w;
}

}  // namespace veld
