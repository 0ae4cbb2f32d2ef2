#include "protocol/frame.h"

#include "protocol/wire.h"

namespace veld {

std::string packFrame(std::string_view s) {
    std::string out = wordToBytes(static_cast<std::uint32_t>(s.size()));
    out += s;
    return out;
}

void ConnectionContext::append(std::string_view bytes) {
    if (start_ > 0 && start_ >= buffer_.size() - start_) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_ += bytes;
}

std::string ConnectionContext::takeFront(std::size_t n) {
    std::string front = buffer_.substr(start_, n);
    start_ += n;
    if (start_ == buffer_.size()) clearRecvBuffer();
    return front;
}

ReadResult FrameReader::socketRead(const std::shared_ptr<ConnectionContext>& context,
                                   std::string_view bytes, const Dispatch& dispatch) {
    const std::shared_ptr<ConnectionContext> keep = context;
    ConnectionContext& ctx = *keep;
    ctx.append(bytes);
    if (ctx.reading) return ReadResult::Ok;

    struct ReadingGuard {
        ConnectionContext& ctx;
        explicit ReadingGuard(ConnectionContext& c) : ctx(c) { ctx.reading = true; }
        ~ReadingGuard() { ctx.reading = false; }
    } guard(ctx);

    for (;;) {
        const std::string_view pending = ctx.recvBuffer();
        if (pending.size() <= 2) return ReadResult::Ok;
        const std::size_t announced = bytesToWord(pending);
        if (announced > kMaxMessageBytes) {
            ctx.clearRecvBuffer();
            return ReadResult::Unframeable;
        }
        const std::size_t frameLength = announced + 2;
        if (pending.size() < frameLength) return ReadResult::Ok;
        // The frame is copied out: a handler may show a modal box during which more bytes of
        // this connection are appended to the buffer.
        const std::string frame = ctx.takeFront(frameLength);
        dispatch(frame);
    }
}

}  // namespace veld
