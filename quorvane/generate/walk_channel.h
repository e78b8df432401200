#pragma once

// The hand-over between the two halves of a scan: the walk, which makes the
// system calls on its own thread, and the formatting half on the thread
// that owns the interaction. The walk describes what it finds as events, in
// walk order, collected in batches; the formatting half takes the batches
// in the same order. The queue holds a few batches at most, so a walk that
// runs ahead waits instead of holding the whole tree in memory.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/generate/scan_result.h"

namespace quor::generate {

struct WalkEvent {
    enum class Kind : std::uint8_t {
        Folder,      // a folder's listing starts; text: its display path
        File,        // text: the file's name; number: its size; modified: its date
        Mp3File,     // text: the file's name; number: its ticket with the MP3 reading
        Poll,        // a point where the window's events may run
        Subfolder,   // text: the path of the subfolder walked next
        OpenFailed,  // text: a folder's path; number: errno. The walk waits for answer()
        Unread,      // text: why a folder could not be read
    };
    Kind kind;
    bool subfolder = false;  // OpenFailed: the folder is not the walk's root
    std::uint32_t textOffset = 0;
    std::uint32_t textLength = 0;
    std::uint64_t number = 0;
    std::int64_t modified = 0;
};

struct WalkBatch {
    std::vector<WalkEvent> events;
    std::string text;  // the texts of the events, one after another

    void add(WalkEvent event, std::string_view eventText);
    std::string_view textOf(const WalkEvent& event) const {
        return std::string_view(text).substr(event.textOffset, event.textLength);
    }
    bool empty() const { return events.empty(); }
};

class WalkChannel {
  public:
    // The walk's side. Each returns false once a stop was requested: the
    // walk then ends without handing over anything more.
    bool stopRequested() const { return stop_.load(std::memory_order_relaxed); }
    // Hands a batch over, waiting while the queue is full.
    [[nodiscard]] bool push(WalkBatch batch);
    // Hands over a batch whose last event is OpenFailed and waits for the
    // answer: true to try again.
    [[nodiscard]] bool ask(WalkBatch batch);
    // The walk is over (with its result, or the exception it ended
    // with); no batch follows.
    void finish(ScanResult result, std::exception_ptr error);

    // The formatting side. The next batch, waiting for it; nothing once the
    // walk has finished and every batch was taken.
    std::optional<WalkBatch> pop();
    // Answers the walk's question about the folder that failed to open.
    void answer(bool retry);
    // Asks the walk to end; batches it handed over are still taken by pop.
    void requestStop();
    ScanResult result() const;
    std::exception_ptr error() const;

  private:
    static constexpr std::size_t kMaxBatches = 8;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<WalkBatch> batches_;
    std::optional<bool> answer_;
    bool finished_ = false;
    std::atomic<bool> stop_{false};
    ScanResult result_ = ScanResult::Normal;
    std::exception_ptr error_;
};

}  // namespace quor::generate
