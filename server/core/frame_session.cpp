#include "server/core/frame_session.h"

namespace veld::server {

FrameSession::FrameSession(std::shared_ptr<ClientLink> link, Scheduler& scheduler,
                           const SessionLimits& limits)
    : link_(std::move(link)),
      scheduler_(scheduler),
      limits_(limits),
      rate_(limits.framesPerSecond, limits.frameBurst) {}

void FrameSession::start() {
    std::weak_ptr<FrameSession> weak = shared_from_this();
    scheduler_.after(limits_.bindDeadline, [weak] {
        const auto self = weak.lock();
        if (self && self->binding() == Binding::Unbound) self->disconnect();
    });
}

void FrameSession::onBytes(std::string_view bytes) {
    if (!isOpen()) return;
    // Keep this session alive while its frames run: a handler may drop the last other owner.
    const auto keep = shared_from_this();
    const ReadResult result =
        FrameReader::socketRead(context_, bytes, [this](std::string_view frame) { take(frame); });
    if (result == ReadResult::Unframeable) disconnect();
}

void FrameSession::take(std::string_view frame) {
    if (!isOpen()) return;
    if (!rate_.tryTake(scheduler_.now())) return disconnect();
    if (suspended_ || !held_.empty()) {
        if (held_.size() >= limits_.maxHeldFrames ||
            heldBytes_ + frame.size() > limits_.maxHeldBytes)
            return disconnect();
        held_.emplace_back(frame);
        heldBytes_ += frame.size();
        return;
    }
    if (handleFrame(frame) == DispatchOutcome::Refused) disconnect();
}

void FrameSession::releaseFrames() {
    suspended_ = false;
    if (!runningHeld_) runHeld();
}

void FrameSession::runHeld() {
    runningHeld_ = true;
    while (!suspended_ && !held_.empty() && isOpen()) {
        const std::string frame = std::move(held_.front());
        held_.pop_front();
        heldBytes_ -= frame.size();
        if (handleFrame(frame) == DispatchOutcome::Refused) disconnect();
    }
    runningHeld_ = false;
}

void FrameSession::onClosed() {
    if (closed_) return;
    closed_ = true;
    held_.clear();
    heldBytes_ = 0;
    closed();
}

}  // namespace veld::server
