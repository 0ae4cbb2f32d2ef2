#include "fakes/fake_room.h"

namespace veld::testing {

FakeBoardView::Point* FakeBoardView::at(int x, int y) {
    if (x < 1 || y < 1 || x > size || y > size) return nullptr;
    return &points_[static_cast<std::size_t>((y - 1) * size + (x - 1))];
}

const FakeBoardView::Point* FakeBoardView::at(int x, int y) const {
    return const_cast<FakeBoardView*>(this)->at(x, y);
}

void FakeBoardView::setupBoard(int n) {
    size = n;
    points_.assign(static_cast<std::size_t>(n * n), Point{});
    ++setups;
}

void FakeBoardView::drawStone(int x, int y, int colour) {
    ++stoneDraws;
    if (Point* p = at(x, y)) *p = Point{colour, {}, false};
}

void FakeBoardView::drawLabel(int x, int y, std::u16string_view label, int colour) {
    ++labelDraws;
    if (Point* p = at(x, y)) {
        p->colour = colour;
        p->label = label;
        p->cross = false;
    }
}

void FakeBoardView::drawLastMoveCross(int x, int y, int) {
    if (Point* p = at(x, y)) p->cross = true;
}

std::string FakeBoardView::picture() const {
    std::string text;
    for (int y = 1; y <= size; ++y) {
        for (int x = 1; x <= size; ++x) {
            if (x > 1) text += ' ';
            const int c = at(x, y)->colour;
            text += c > 0 ? 'X' : c < 0 ? 'O' : '.';
        }
        text += '\n';
    }
    return text;
}

std::u16string FakeBoardView::labelAt(int x, int y) const {
    const Point* p = at(x, y);
    return p ? p->label : std::u16string();
}

std::string FakeBoardView::labels() const {
    std::string text;
    for (int y = 1; y <= size; ++y) {
        for (int x = 1; x <= size; ++x) {
            const std::u16string& label = at(x, y)->label;
            if (label.empty()) continue;
            if (!text.empty()) text += ' ';
            text += static_cast<char>('a' + x - 1);
            text += static_cast<char>('a' + y - 1);
            text += ':';
            for (char16_t c : label) text += c < 0x80 ? static_cast<char>(c) : '?';
        }
    }
    return text;
}

bool FakeBoardView::crossAt(int x, int y) const {
    const Point* p = at(x, y);
    return p && p->cross;
}

void FakeTextPane::clear() {
    content.clear();
    edited = false;
    ++clears;
}

void FakeTextPane::setText(std::u16string_view text) {
    content = text;
    edited = false;
}

void FakeTextPane::appendLine(std::u16string_view line, std::uint32_t colour) {
    if (!content.empty()) content += u"\r\n";
    content += line;
    lines.push_back({std::u16string(line), colour});
    edited = false;
}

void FakeTextPane::type(std::u16string_view text) {
    content = text;
    edited = true;
}

void FakeRoomTabs::addTab(std::u16string_view caption, int icon) {
    tabs.push_back({std::u16string(caption), icon});
}

void FakeRoomTabs::setTabIcon(int index, int icon) {
    ++iconChanges;
    if (index >= 0 && index < static_cast<int>(tabs.size()))
        tabs[static_cast<std::size_t>(index)].icon = icon;
}

void FakeRoomTabs::setTabCaption(int index, std::u16string_view caption) {
    if (index >= 0 && index < static_cast<int>(tabs.size()))
        tabs[static_cast<std::size_t>(index)].caption = caption;
}

void FakeRoomTabs::removeTab(int index) {
    if (index >= 0 && index < static_cast<int>(tabs.size())) tabs.erase(tabs.begin() + index);
}

}  // namespace veld::testing
