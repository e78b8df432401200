#include "quorvane/generate/walk_channel.h"

namespace quor::generate {

void WalkBatch::add(WalkEvent event, std::string_view eventText) {
    event.textOffset = static_cast<std::uint32_t>(text.size());
    event.textLength = static_cast<std::uint32_t>(eventText.size());
    text += eventText;
    events.push_back(event);
}

bool WalkChannel::push(WalkBatch batch) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return batches_.size() < kMaxBatches || stopRequested(); });
    if (stopRequested()) {
        return false;
    }
    batches_.push_back(std::move(batch));
    changed_.notify_all();
    return true;
}

bool WalkChannel::ask(WalkBatch batch) {
    if (!push(std::move(batch))) {
        return false;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return answer_.has_value() || stopRequested(); });
    const bool retry = answer_.value_or(false) && !stopRequested();
    answer_.reset();
    return retry;
}

void WalkChannel::finish(ScanResult result, std::exception_ptr error) {
    std::lock_guard lock(mutex_);
    finished_ = true;
    result_ = result;
    error_ = std::move(error);
    changed_.notify_all();
}

std::optional<WalkBatch> WalkChannel::pop() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !batches_.empty() || finished_; });
    if (batches_.empty()) {
        return std::nullopt;
    }
    WalkBatch batch = std::move(batches_.front());
    batches_.pop_front();
    changed_.notify_all();
    return batch;
}

void WalkChannel::answer(bool retry) {
    std::lock_guard lock(mutex_);
    answer_ = retry;
    changed_.notify_all();
}

void WalkChannel::requestStop() {
    std::lock_guard lock(mutex_);
    stop_.store(true, std::memory_order_relaxed);
    changed_.notify_all();
}

ScanResult WalkChannel::result() const {
    std::lock_guard lock(mutex_);
    return result_;
}

std::exception_ptr WalkChannel::error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

}  // namespace quor::generate
