// Frames cut and dispatched per second on a 64 MiB stream of mixed frame sizes, next to a plain
// memcpy of the same stream in the same read sizes (the physical limit of any receive loop).
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "client/client.h"
#include "protocol/frame.h"

namespace {

using namespace veld;

constexpr std::size_t kStreamBytes = 64u << 20;
constexpr std::size_t kReadBytes = 64u << 10;  // what one socket read event delivers

struct Stream {
    std::string bytes;
    std::size_t frames = 0;
};

// Mostly small frames (moves, clocks, list updates), some medium, a few large (records).
const Stream& mixedStream() {
    static const Stream stream = [] {
        Stream s;
        std::mt19937 random(7);
        std::uniform_int_distribution<int> kind(0, 99), small(2, 40), medium(41, 2000),
            large(2001, 65533), letter('A', 'Z');
        s.bytes.reserve(kStreamBytes + 65535);
        while (s.bytes.size() < kStreamBytes) {
            const int k = kind(random);
            const int length = k < 85 ? small(random) : k < 99 ? medium(random) : large(random);
            std::string message(static_cast<std::size_t>(length), 'x');
            message[0] = 'Z';
            message[1] = static_cast<char>(letter(random));
            s.bytes += packFrame(message);
            ++s.frames;
        }
        return s;
    }();
    return stream;
}

class NullNet : public Net {
  public:
    void open(Link, const std::string&, std::uint16_t) override {}
    bool isConnected(Link) const override { return false; }
    void send(Link, std::string_view) override {}
    void close(Link) override {}
};

class NullDialogs : public Dialogs {
  public:
    void showWarning(std::u16string_view) override {}
    void showInformation(std::u16string_view) override {}
    bool confirm(std::u16string_view) override { return true; }
    void showMessage(std::u16string_view) override {}
    bool showLogin(LoginDialogModel&) override { return false; }
    bool showPasswordChange(PasswordDialogModel&) override { return false; }
};

class NullShell : public Shell {
  public:
    void setMainCaption(std::u16string_view) override {}
    void setApplicationTitle(std::u16string_view) override {}
    void setFileMenuCaption(std::u16string_view) override {}
    void setStatusBarFont(std::u16string_view) override {}
    void checkOpenCodePage(int) override {}
    void setBroadcastWindowWidth(int) override {}
    void showPage(Page) override {}
    void clearActivityLog() override {}
    void appendActivityLine(std::u16string_view) override {}
    void terminate() override {}
    void setPageVisible(Page, bool) override {}
    bool isPageActive(Page) const override { return false; }
    void setPageCaption(Page, std::u16string_view) override {}
    void setPageImage(Page, int) override {}
    void setCommandVisible(Command, bool) override {}
    void setCommandEnabled(Command, bool) override {}
    void setServerList(std::span<const ServerListItem>) override {}
    void setServerListVisible(bool) override {}
    void setServerListEnabled(bool) override {}
    void clearServerListSelection() override {}
    void setWebViewsOffline(bool) override {}
    void maximizeMainWindow() override {}
    void beep() override {}
    void showStatus(std::u16string_view) override {}
    void showStatus2(std::u16string_view) override {}
    void showsystime(std::u16string_view) override {}
    void clearMainStatusPanels() override {}
};

void BM_CutAndDispatch(benchmark::State& state) {
    const Stream& stream = mixedStream();
    NullNet net;
    NullDialogs dialogs;
    NullShell shell;
    Client client(net, dialogs, shell);
    std::size_t handled = 0, handledBytes = 0;
    for (char c = 'A'; c <= 'Z'; ++c) {
        client.dispatcher().add(std::string{'Z', c}, [&](std::string_view frame, Link) {
            ++handled;
            handledBytes += frame.size();
        });
    }
    for (auto _ : state) {
        for (std::size_t at = 0; at < stream.bytes.size(); at += kReadBytes)
            client.onData(Link::Game, std::string_view(stream.bytes).substr(at, kReadBytes));
    }
    benchmark::DoNotOptimize(handledBytes);
    if (handled != stream.frames * static_cast<std::size_t>(state.iterations()))
        state.SkipWithError("frames lost");
    state.SetBytesProcessed(static_cast<std::int64_t>(stream.bytes.size() * state.iterations()));
    state.counters["frames/s"] = benchmark::Counter(
        static_cast<double>(stream.frames * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CutAndDispatch)->Unit(benchmark::kMillisecond);

void BM_Memcpy(benchmark::State& state) {
    const Stream& stream = mixedStream();
    std::string target(kReadBytes, '\0');
    for (auto _ : state) {
        for (std::size_t at = 0; at < stream.bytes.size(); at += kReadBytes) {
            const std::size_t n = std::min(kReadBytes, stream.bytes.size() - at);
            std::memcpy(target.data(), stream.bytes.data() + at, n);
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(stream.bytes.size() * state.iterations()));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
