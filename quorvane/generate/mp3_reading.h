#pragma once

// Reads the size, date and MP3 column of many MP3 files on worker threads
// while the scanner goes on walking. Opening a file and reading its first
// frame costs more than the rest of the scan; shared with the machine's
// other cores it adds little to the walk. Results are collected in the order the files
// were queued, so the cache lines keep the order the walk found them in.

#include <sys/stat.h>

#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/unique_fd.h"

namespace quor::generate {

// An open folder that queued reads are relative to; closed when the last
// read of its files is done.
class FolderHandle {
  public:
    explicit FolderHandle(int fd) : fd_(fd) {}
    int fd() const { return fd_.get(); }

  private:
    UniqueFd fd_;
};

class Mp3Reading {
  public:
    struct Request {
        std::shared_ptr<const FolderHandle> folder;
        std::string name;
        bool statFirst = false;  // a symbolic link: opened only when it leads to a file
    };

    // What was read of one file; found is false when it is not (or no
    // longer) a regular file that can be listed.
    struct Result {
        bool found = false;
        std::uint64_t size = 0;
        std::time_t modified = 0;
        std::string text;  // the MP3 column
    };

    // workers == 0 reads every file on the calling thread, at once.
    Mp3Reading(bool mp3InfoFlag, bool songLengthFlag, unsigned workers);
    Mp3Reading(const Mp3Reading&) = delete;
    Mp3Reading& operator=(const Mp3Reading&) = delete;
    ~Mp3Reading();

    // Queues one file; returns its ticket (0, 1, 2, ... in queue order).
    std::size_t add(Request request);

    // Lets the workers start on what has been queued.
    void wake();

    // Waits until every queued file has been read (helping with the work)
    // and hands over the results by ticket; the queue starts anew. Between
    // two files it reads itself, poll() is called (without the lock held);
    // when it returns true the files nobody has started on are left unread
    // (found false) and only the reads under way are waited for.
    std::vector<Result> finish(const std::function<bool()>& poll = {});

    // The number of workers that suits this machine: one fewer than its
    // processors, at least none and at most three.
    static unsigned suitableWorkers();

  private:
    struct Job {
        Request request;
        Result result;
    };

    void work();
    bool runOne(std::unique_lock<std::mutex>& lock);
    Result read(const Request& request) const;

    const bool mp3InfoFlag_;
    const bool songLengthFlag_;
    std::mutex mutex_;
    std::condition_variable wakeWorkers_;
    std::condition_variable jobDone_;
    std::deque<Job> jobs_;
    std::size_t next_ = 0;      // first job not yet taken
    std::size_t finished_ = 0;  // jobs done
    std::size_t sleeping_ = 0;  // workers waiting for work
    bool ending_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace quor::generate
