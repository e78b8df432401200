#include "quorvane/generate/mp3_reading.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "quorvane/generate/mp3_info.h"

namespace quor::generate {

Mp3Reading::Mp3Reading(bool mp3InfoFlag, bool songLengthFlag, unsigned workers)
    : mp3InfoFlag_(mp3InfoFlag), songLengthFlag_(songLengthFlag) {
    workers_.reserve(workers);
    for (unsigned i = 0; i < workers; ++i) {
        workers_.emplace_back([this] { work(); });
    }
}

Mp3Reading::~Mp3Reading() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wakeWorkers_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

unsigned Mp3Reading::suitableWorkers() {
    const unsigned processors = std::thread::hardware_concurrency();
    return processors <= 1 ? 0 : std::min(processors - 1, 3u);
}

namespace {

int openForReading(int dirFd, const char* name) {
    return openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

}  // namespace

// A symbolic link is looked at before it is opened, so that a link to a
// device or pipe is never opened; a plain file is opened at once and its
// size and date read from the open file (one path lookup instead of two).
Mp3Reading::Result Mp3Reading::read(const Request& request) const {
    const int dirFd = request.folder->fd();
    const char* name = request.name.c_str();
    struct ::stat st {};
    UniqueFd fd;
    if (request.statFirst) {
        if (fstatat(dirFd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) {
            return {};
        }
        fd.reset(openForReading(dirFd, name));
    } else {
        fd.reset(openForReading(dirFd, name));
        if (!fd || fstat(fd.get(), &st) != 0) {
            // Not readable, but perhaps listable with its size and date.
            if (fstatat(dirFd, name, &st, 0) != 0) {
                return {};
            }
        }
    }
    Result result;
    if (S_ISREG(st.st_mode)) {
        result.found = true;
        result.size = static_cast<std::uint64_t>(st.st_size);
        result.modified = st.st_mtime;
        result.text = mp3TextOfFile(fd.get(), result.size, mp3InfoFlag_, songLengthFlag_);
    }
    return result;
}

std::size_t Mp3Reading::add(Request request) {
    std::lock_guard lock(mutex_);
    if (workers_.empty()) {
        // No workers: read at once, so that no folder stays open.
        Result result = read(request);
        jobs_.push_back({{}, std::move(result)});
        ++next_;
        ++finished_;
    } else {
        jobs_.push_back({std::move(request), {}});
    }
    return jobs_.size() - 1;
}

void Mp3Reading::wake() {
    bool anyoneSleeping = false;
    {
        std::lock_guard lock(mutex_);
        anyoneSleeping = sleeping_ > 0 && next_ < jobs_.size();
    }
    if (anyoneSleeping) {
        wakeWorkers_.notify_all();
    }
}

// Takes the next job, reads it without the lock held and records the
// result; false when there was none. Elements of a deque keep their place
// while others are added, so the job can be filled in outside the lock.
bool Mp3Reading::runOne(std::unique_lock<std::mutex>& lock) {
    if (next_ >= jobs_.size()) {
        return false;
    }
    Job& job = jobs_[next_++];
    lock.unlock();
    job.result = read(job.request);
    job.request.folder.reset();  // the folder closes once its last file is read
    lock.lock();
    ++finished_;
    if (finished_ == jobs_.size()) {
        jobDone_.notify_all();
    }
    return true;
}

void Mp3Reading::work() {
    std::unique_lock lock(mutex_);
    while (!ending_) {
        if (!runOne(lock)) {
            ++sleeping_;
            wakeWorkers_.wait(lock, [this] { return ending_ || next_ < jobs_.size(); });
            --sleeping_;
        }
    }
}

std::vector<Mp3Reading::Result> Mp3Reading::finish(const std::function<bool()>& poll) {
    std::unique_lock lock(mutex_);
    while (runOne(lock)) {
        if (poll) {
            lock.unlock();
            const bool stop = poll();
            lock.lock();
            if (stop) {
                finished_ += jobs_.size() - next_;  // left unread
                next_ = jobs_.size();
                break;
            }
        }
    }
    jobDone_.wait(lock, [this] { return finished_ == jobs_.size(); });
    std::vector<Result> results;
    results.reserve(jobs_.size());
    for (Job& job : jobs_) {
        results.push_back(std::move(job.result));
    }
    jobs_.clear();
    next_ = 0;
    finished_ = 0;
    return results;
}

}  // namespace quor::generate
