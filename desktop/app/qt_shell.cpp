#include "app/qt_shell.h"

#include <QApplication>
#include <QStatusBar>

#include "app/images.h"
#include "app/text.h"

namespace veld::desktop {

std::optional<Page> QtShell::pageAt(int index) const {
    QWidget* widget = parts_.tabs->widget(index);
    for (const auto& [page, w] : parts_.pages)
        if (w == widget) return page;
    return std::nullopt;
}

int QtShell::tabIndex(Page page) const {
    const auto found = parts_.pages.find(page);
    return found == parts_.pages.end() ? -1 : parts_.tabs->indexOf(found->second);
}

void QtShell::setMainCaption(std::u16string_view text) {
    parts_.window->setWindowTitle(qs(text));
}

void QtShell::setApplicationTitle(std::u16string_view text) {
    QApplication::setApplicationName(qs(text));
}

void QtShell::setFileMenuCaption(std::u16string_view text) {
    if (QAction* menu = parts_.commands[Command::FileMenu]) menu->setText(qs(text));
}

void QtShell::setStatusBarFont(std::u16string_view family) {
    QFont font = parts_.window->statusBar()->font();
    font.setFamilies({qs(family), font.family()});
    parts_.window->statusBar()->setFont(font);
}

void QtShell::checkOpenCodePage(int codePage) {
    for (const auto& [page, action] : parts_.openCodePages) action->setChecked(page == codePage);
}

void QtShell::showPage(Page page) {
    const int index = tabIndex(page);
    if (index < 0) return;
    parts_.tabs->setTabVisible(index, true);
    changingPage_ = true;
    parts_.tabs->setCurrentIndex(index);
    changingPage_ = false;
}

void QtShell::clearActivityLog() {
    if (parts_.activityLog) parts_.activityLog->clear();
}

void QtShell::appendActivityLine(std::u16string_view line) {
    if (parts_.activityLog) parts_.activityLog->appendPlainText(qs(line));
}

void QtShell::terminate() {
    if (terminated_) return;
    terminated_ = true;
    if (parts_.terminate) parts_.terminate();
}

void QtShell::setPageVisible(Page page, bool visible) {
    const int index = tabIndex(page);
    if (index < 0) return;
    // Hiding the page in front lets the tab widget choose another: that is not the user's.
    changingPage_ = true;
    parts_.tabs->setTabVisible(index, visible);
    changingPage_ = false;
}

bool QtShell::isPageActive(Page page) const {
    const int index = tabIndex(page);
    return index >= 0 && parts_.tabs->currentIndex() == index;
}

void QtShell::setPageCaption(Page page, std::u16string_view caption) {
    const int index = tabIndex(page);
    if (index >= 0) parts_.tabs->setTabText(index, qs(caption));
}

void QtShell::setPageImage(Page page, int image) {
    const int index = tabIndex(page);
    if (index >= 0) parts_.tabs->setTabIcon(index, image < 0 ? QIcon() : listImage(image));
}

void QtShell::setCommandVisible(Command command, bool visible) {
    if (command == Command::LobbyMenus) {
        // The lobby's entries live in the menus "查詢" and "設定".
        setCommandVisible(Command::QueryMenu, visible);
        setCommandVisible(Command::SetupMenu, visible);
        return;
    }
    if (QAction* action = parts_.commands[command]) action->setVisible(visible);
}

void QtShell::setCommandEnabled(Command command, bool enabled) {
    if (QAction* action = parts_.commands[command]) action->setEnabled(enabled);
}

void QtShell::setServerList(std::span<const ServerListItem> items) {
    parts_.serverList->clear();
    for (const ServerListItem& item : items)
        parts_.serverList->addItem(new QListWidgetItem(serverIcon(item.image), qs(item.caption)));
}

void QtShell::setServerListVisible(bool visible) {
    parts_.serverList->setVisible(visible);
}

void QtShell::setServerListEnabled(bool enabled) {
    parts_.serverList->setEnabled(enabled);
}

void QtShell::clearServerListSelection() {
    parts_.serverList->clearSelection();
}

void QtShell::maximizeMainWindow() {
    parts_.window->showMaximized();
}

void QtShell::beep() {
    QApplication::beep();
}

void QtShell::showStatus(std::u16string_view text) {
    parts_.statusPanels[3]->setText(qs(text));
}

void QtShell::showStatus2(std::u16string_view text) {
    parts_.status2->setText(qs(text));
}

void QtShell::showsystime(std::u16string_view text) {
    parts_.statusPanels[0]->setText(qs(text));
}

void QtShell::clearMainStatusPanels() {
    for (int i = 0; i < 3; ++i) parts_.statusPanels[i]->clear();
}

}  // namespace veld::desktop
