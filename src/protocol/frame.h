// The frame format shared by both connections and both directions: a two-byte length, high
// byte first, followed by that many message bytes whose first two are the message code.
// Positions inside a frame are counted from the first byte of the length prefix, so a
// handler's fields start at index 4 of the frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace veld {

// The largest message both sides handle: the receiver computes the frame length N + 2 in
// 16 bits, so 65534 and 65535 cannot be told apart from 0 and 1.
inline constexpr std::size_t kMaxMessageBytes = 65533;

// wordToBytes(length of s) + s. Also used for framed fields inside messages. Lengths above
// 65535 wrap; the send primitives refuse such texts before they get here.
std::string packFrame(std::string_view s);

// The receive state of one connection attempt. A new context is made for every connection
// attempt; a replaced context is dropped from its link but stays alive while a receive loop
// still works on it.
class ConnectionContext {
  public:
    // Bytes received and not yet cut into frames.
    std::string_view recvBuffer() const { return std::string_view(buffer_).substr(start_); }
    void clearRecvBuffer() { buffer_.clear(), start_ = 0; }

    // The unframed message to send as soon as the connection reports that it is up.
    std::string pendingText;
    // True while the receive loop of this context runs further up the call stack.
    bool reading = false;

  private:
    friend class FrameReader;
    void append(std::string_view bytes);
    // Removes the first n bytes in amortised constant time per byte: the buffer is compacted
    // only when the consumed part outweighs the rest, so cutting many small frames out of one
    // large read costs time linear in the bytes received.
    std::string takeFront(std::size_t n);

    std::string buffer_;
    std::size_t start_ = 0;
};

enum class ReadResult {
    Ok,
    // The peer announced a message of 65534 or 65535 bytes. The stream's framing cannot be
    // recovered; the context's buffer has been dropped and the caller must close the link.
    Unframeable,
};

// The receive loop of a connection.
class FrameReader {
  public:
    using Dispatch = std::function<void(std::string_view frame)>;

    // Appends bytes to the context's buffer, then (unless a loop of the same context is already
    // running further up the stack, in which case that loop picks the bytes up) cuts every
    // complete frame off the front and dispatches it, in arrival order. A buffer of two bytes or
    // fewer is never cut, even when it announces an empty message. `context` is kept alive for
    // the whole loop, even if the link gets a new context meanwhile.
    static ReadResult socketRead(const std::shared_ptr<ConnectionContext>& context,
                                 std::string_view bytes, const Dispatch& dispatch);
};

}  // namespace veld
