// Recording fakes of the core's ports: they remember what the core asked for and answer as
// the test scripted.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "protocol/ports.h"

namespace veld::testing {

class FakeNet : public Net {
  public:
    struct Opened {
        Link link;
        std::string host;
        std::uint16_t port;
    };

    void open(Link link, const std::string& host, std::uint16_t port) override;
    bool isConnected(Link link) const override { return connected_[index(link)]; }
    void send(Link link, std::string_view bytes) override;
    void close(Link link) override;

    void setConnected(Link link, bool connected) { connected_[index(link)] = connected; }
    // Every byte sent on the link, frames one after another.
    const std::string& sent(Link link) const { return sent_[index(link)]; }
    void clearSent() { sent_[0].clear(), sent_[1].clear(); }

    std::vector<Opened> opened;
    int closes = 0;

  private:
    static int index(Link link) { return link == Link::Game ? 0 : 1; }
    bool connected_[2] = {false, false};
    std::string sent_[2];
};

class FakeDialogs : public Dialogs {
  public:
    enum class Kind { Warning, Information, Confirmation, Message };
    struct Box {
        Kind kind;
        std::u16string text;
    };

    void showWarning(std::u16string_view text) override { open(Kind::Warning, text); }
    void showInformation(std::u16string_view text) override { open(Kind::Information, text); }
    bool confirm(std::u16string_view text) override;
    void showMessage(std::u16string_view text) override { open(Kind::Message, text); }

    std::vector<Box> boxes;
    // Answers of the confirmation boxes, in order; Yes when none is left.
    std::deque<bool> answers;
    // Runs while a box is "open" (once per box), e.g. to deliver more socket bytes.
    std::function<void(const Box&)> whileOpen;

  private:
    void open(Kind kind, std::u16string_view text);
};

class FakeShell : public Shell {
  public:
    void setMainCaption(std::u16string_view text) override { mainCaption = text; }
    void setApplicationTitle(std::u16string_view text) override { applicationTitle = text; }
    void setFileMenuCaption(std::u16string_view text) override { fileMenuCaption = text; }
    void setStatusBarFont(std::u16string_view family) override { statusBarFont = family; }
    void checkOpenCodePage(int codePage) override { checkedCodePage = codePage; }
    void setBroadcastWindowWidth(int pixels) override { broadcastWidth = pixels; }
    void showPage(Page page) override { shownPages.push_back(page); }
    void clearActivityLog() override { activityLog.clear(); }
    void appendActivityLine(std::u16string_view line) override { activityLog.emplace_back(line); }
    void terminate() override { ++terminations; }

    std::u16string mainCaption, applicationTitle, fileMenuCaption, statusBarFont;
    int checkedCodePage = 0;
    int broadcastWidth = 0;
    std::vector<Page> shownPages;
    std::vector<std::u16string> activityLog;
    int terminations = 0;
};

}  // namespace veld::testing
