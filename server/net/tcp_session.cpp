#include "server/net/tcp_session.h"

#include "protocol/frame.h"

namespace veld::server {

TcpSession::TcpSession(asio::ip::tcp::socket socket, std::string address, TcpServer& server,
                       const TransportLimits& limits)
    : socket_(std::move(socket)),
      stallTimer_(socket_.get_executor()),
      address_(std::move(address)),
      server_(&server),
      limits_(limits) {}

void TcpSession::start(std::shared_ptr<ConnectionHandler> handler) {
    handler_ = std::move(handler);
    read();
}

void TcpSession::read() {
    socket_.async_read_some(
        asio::buffer(readBuffer_), [self = shared_from_this()](std::error_code ec, std::size_t n) {
            if (!self->open_) return;
            if (ec) return self->close();
            self->handler_->onBytes(std::string_view(self->readBuffer_.data(), n));
            if (self->open_) self->read();
        });
}

void TcpSession::send(std::string_view message) {
    if (!open_) return;
    if (message.size() > kMaxMessageBytes) return close();
    queuedBytes_ += message.size() + 2;
    if (queuedBytes_ > limits_.writeQueueLimit) return close();
    queue_.push_back(packFrame(message));
    if (!writing_) write();
}

void TcpSession::write() {
    writing_ = true;
    stallTimer_.expires_after(limits_.writeStall);
    stallTimer_.async_wait([weak = weak_from_this()](std::error_code ec) {
        if (ec) return;
        if (const auto self = weak.lock()) self->close();
    });
    // Every frame queued behind the one in flight goes out in one write (up to a batch size), so
    // a burst of messages to one client costs one system call, not one each. The batch belongs to
    // its write, which may finish after close() emptied the queue.
    constexpr std::size_t kBatchBytes = 64 * 1024;
    auto frame = std::make_shared<std::string>(std::move(queue_.front()));
    queue_.pop_front();
    while (!queue_.empty() && frame->size() + queue_.front().size() <= kBatchBytes) {
        *frame += queue_.front();
        queue_.pop_front();
    }
    asio::async_write(socket_, asio::buffer(*frame),
                      [self = shared_from_this(), frame](std::error_code ec, std::size_t) {
                          if (!self->open_) return;
                          self->stallTimer_.cancel();
                          if (ec) return self->close();
                          self->queuedBytes_ -= frame->size();
                          self->writing_ = false;
                          if (!self->queue_.empty()) self->write();
                      });
}

void TcpSession::close() {
    if (!open_) return;
    open_ = false;
    std::error_code ignored;
    socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    socket_.close(ignored);
    stallTimer_.cancel();
    queue_.clear();
    queuedBytes_ = 0;
    // The handler hears of it from the loop, never from inside its own call.
    asio::post(socket_.get_executor(), [self = shared_from_this()] { self->finish(); });
}

void TcpSession::finish() {
    if (handler_) {
        const auto handler = std::move(handler_);
        handler->onClosed();
    }
    if (server_) server_->forget(this);
}

}  // namespace veld::server
