// The lobby page "聚弈廳": the player list on the left, the game list on the right, the lobby
// status bar (player and game totals) below. Thin views over the core's lists; the page is the
// core's LobbyPort.
#pragma once

#include <QSplitter>
#include <QWidget>
#include <functional>

#include "lobby/lobby_ports.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTableView;

namespace veld {
class Client;
}

namespace veld::desktop {

class CertificateDialog;
class GameTableModel;
class PlayerTableModel;

class LobbyPage final : public QWidget, public LobbyPort {
    Q_OBJECT
  public:
    // Attaches itself as the lobby port of the players, the games and the peer messages, and its
    // models as the observers of the two lists. The page does not detach when destroyed: the main
    // window destroys its client before its widgets. Whoever destroys the page while the client
    // lives on calls detachFromClient() first.
    LobbyPage(Client& client, QWidget* parent = nullptr);

    // The client stops calling the page and its models.
    void detachFromClient();

    // The width of the left panel (the player list).
    void setLeftPanelWidth(int width);
    int leftPanelWidth() const;

    QTableView* playerView() const { return playerView_; }
    QTableView* gameView() const { return gameView_; }
    PlayerTableModel* playerModel() const { return playerModel_; }
    GameTableModel* gameModel() const { return gameModel_; }
    // The player list's popup menu and its item "觀戰".
    QMenu* playerMenu() const { return playerMenu_; }
    QAction* observeAction() const { return observeAction_; }
    // The game list's popup menu.
    QMenu* gameMenu() const { return gameMenu_; }
    // The menu "對局意願", for the main window's menu bar; each item's data is its marker.
    QMenu* playWishMenu() const { return playWishMenu_; }
    // The two panels of the lobby status bar.
    QString playerTotalText() const;
    QString gameTotalText() const;
    // Where rows for the event list go; none: they are dropped.
    void setEventSink(std::function<void(std::u16string_view)> sink) {
        eventSink_ = std::move(sink);
    }

    // --- LobbyPort ---
    void setPlayerTotal(std::u16string_view text) override;
    void setGameTotal(std::u16string_view text) override;
    void checkPlayWish(std::string_view marker) override;
    void setObserveEnabled(bool enabled) override;
    void hidePrivateChat(bool clearText) override;
    void playSound(std::string_view file) override;
    void closeAllusergames(const Tuser& user) override;
    void addEvent(std::u16string_view text) override;
    std::u16string timeOfDay() override;
    bool showCertificate(const std::vector<std::u16string>& lines) override;
    std::optional<std::u16string> inputBox(std::u16string_view caption, std::u16string_view prompt,
                                           std::u16string_view initial) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildPlayerList(QWidget* panel);
    void buildGameList(QWidget* panel);
    void buildPlayWishMenu();
    // The view's selection follows the core's, without telling the core again.
    void showSelection(QTableView* view, int row);

    Client& client_;
    QSplitter* splitter_;
    QTableView* playerView_ = nullptr;
    QTableView* gameView_ = nullptr;
    PlayerTableModel* playerModel_ = nullptr;
    GameTableModel* gameModel_ = nullptr;
    QMenu* playerMenu_ = nullptr;
    QAction* observeAction_ = nullptr;
    QMenu* gameMenu_ = nullptr;
    QMenu* playWishMenu_ = nullptr;
    QActionGroup* playWishGroup_ = nullptr;
    QLabel* playerTotal_ = nullptr;
    QLabel* gameTotal_ = nullptr;
    CertificateDialog* certificate_ = nullptr;
    std::function<void(std::u16string_view)> eventSink_;
    // Set while the views are made to follow the core.
    bool following_ = false;
};

}  // namespace veld::desktop
