// A room's controls as the game windows see them (the core's room ports), over Qt widgets: the
// text pane, the two-row player list, the move-number button and the tab bar of the windows.
#pragma once

#include <QObject>
#include <functional>

#include "go/room_ports.h"

class QPushButton;
class QTabBar;
class QTextEdit;
class QTreeWidget;

namespace veld::desktop {

class QtTextPane final : public QObject, public TextPane {
    Q_OBJECT
  public:
    explicit QtTextPane(QTextEdit* edit);

    void clear() override;
    void setText(std::u16string_view text) override;
    void appendLine(std::u16string_view line, std::uint32_t colour) override;
    void scrollToEnd() override;
    std::u16string text() const override;
    bool isEdited() const override { return edited_; }
    void clearEdited() override { edited_ = false; }

  private:
    // Runs a change of the core's without counting it as the user's typing.
    void write(const std::function<void()>& change);

    QTextEdit* edit_;
    bool writing_ = false;
    bool edited_ = false;
};

class QtPlayerPanel final : public PlayerPanel {
  public:
    explicit QtPlayerPanel(QTreeWidget* list);
    void showPlayers(const PlayerRow& black, const PlayerRow& white) override;
    void setTextColour(std::uint32_t colour) override;

  private:
    QTreeWidget* list_;
};

class QtMoveNumberButton final : public MoveNumberButton {
  public:
    explicit QtMoveNumberButton(QPushButton* button) : button_(button) {}
    void setCaption(std::u16string_view caption) override;

  private:
    QPushButton* button_;
};

// The tab bar of a room. The user's choice of a tab is reported through `chosen`; changes the
// core makes itself are not reported back.
class QtRoomTabs final : public RoomTabs {
  public:
    QtRoomTabs(QTabBar* bar, std::function<void(int)> chosen);
    void addTab(std::u16string_view caption, int icon) override;
    void selectTab(int index) override;
    void setTabIcon(int index, int icon) override;
    void setTabCaption(int index, std::u16string_view caption) override;
    void removeTab(int index) override;

  private:
    void quietly(const std::function<void()>& change);

    QTabBar* bar_;
    bool changing_ = false;
};

}  // namespace veld::desktop
