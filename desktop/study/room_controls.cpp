#include "study/room_controls.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/images.h"
#include "app/text.h"

namespace veld::desktop {

namespace {

QColor colourOf(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

}  // namespace

QtTextPane::QtTextPane(QTextEdit* edit) : edit_(edit) {
    connect(edit_, &QTextEdit::textChanged, this, [this] {
        if (!writing_) edited_ = true;
    });
}

void QtTextPane::write(const std::function<void()>& change) {
    writing_ = true;
    change();
    writing_ = false;
    edited_ = false;
}

void QtTextPane::clear() {
    write([this] { edit_->clear(); });
}

void QtTextPane::setText(std::u16string_view text) {
    write([this, text] {
        edit_->setTextColor(Qt::black);
        edit_->setPlainText(qs(text));
    });
}

void QtTextPane::appendLine(std::u16string_view line, std::uint32_t colour) {
    write([this, line, colour] {
        edit_->setTextColor(colourOf(colour));
        edit_->append(qs(line));
        edit_->setTextColor(Qt::black);
    });
    scrollToEnd();
}

void QtTextPane::scrollToEnd() {
    QScrollBar* bar = edit_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

std::u16string QtTextPane::text() const {
    return u16(edit_->toPlainText());
}

QtPlayerPanel::QtPlayerPanel(QTreeWidget* list) : list_(list) {}

void QtPlayerPanel::showPlayers(const PlayerRow& black, const PlayerRow& white) {
    list_->clear();
    for (const PlayerRow* row : {&black, &white}) {
        auto* item = new QTreeWidgetItem(list_, {qs(row->name), qs(row->rank)});
        item->setIcon(0, listImage(row->icon));
    }
}

void QtPlayerPanel::setTextColour(std::uint32_t colour) {
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        for (int c = 0; c < list_->columnCount(); ++c) item->setForeground(c, colourOf(colour));
    }
}

void QtMoveNumberButton::setCaption(std::u16string_view caption) {
    button_->setText(qs(caption));
}

QtRoomTabs::QtRoomTabs(QTabBar* bar, std::function<void(int)> chosen) : bar_(bar) {
    QObject::connect(bar_, &QTabBar::currentChanged, bar_, [this, chosen](int index) {
        if (!changing_ && index >= 0) chosen(index);
    });
}

void QtRoomTabs::quietly(const std::function<void()>& change) {
    changing_ = true;
    change();
    changing_ = false;
}

void QtRoomTabs::addTab(std::u16string_view caption, int icon) {
    quietly([&] { bar_->addTab(listImage(icon), qs(caption)); });
}

void QtRoomTabs::selectTab(int index) {
    quietly([&] { bar_->setCurrentIndex(index); });
}

void QtRoomTabs::setTabIcon(int index, int icon) {
    bar_->setTabIcon(index, listImage(icon));
}

void QtRoomTabs::setTabCaption(int index, std::u16string_view caption) {
    bar_->setTabText(index, qs(caption));
}

void QtRoomTabs::removeTab(int index) {
    quietly([&] { bar_->removeTab(index); });
}

}  // namespace veld::desktop
