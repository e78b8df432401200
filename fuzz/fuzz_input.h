#pragma once

// Helpers shared by the fuzz targets: taking the fuzzer's bytes apart into
// small decisions and texts, and stopping loudly when a checked property
// does not hold (libFuzzer then keeps the input that broke it).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace quor::fuzz {

// Reads the fuzzer's bytes front to back; past the end every read gives 0
// or the empty text, so a target never has to check what is left.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return rest_.empty(); }
    std::string_view rest() const { return rest_; }

    std::uint8_t byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }

    bool flag() { return (byte() & 1) != 0; }

    // A text of up to maxLength bytes: its length comes first.
    std::string_view text(std::size_t maxLength = 64) {
        const std::size_t length = std::min<std::size_t>(byte() % (maxLength + 1), rest_.size());
        const std::string_view out = rest_.substr(0, length);
        rest_.remove_prefix(length);
        return out;
    }

  private:
    std::string_view rest_;
};

// Stops the run with the property's description when it does not hold.
inline void check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// A private temporary folder for the whole fuzzing run, removed at exit;
// in memory when the machine has /dev/shm, so that flushing files to disk
// does not slow the run down.
inline const std::filesystem::path& scratchFolder() {
    static std::string name = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/quorfuzz.XXXXXX"
                                                                        : "/tmp/quorfuzz.XXXXXX";
    static const std::filesystem::path folder = [] {
        if (::mkdtemp(name.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(name, ignored);
        });
        return std::filesystem::path(name);
    }();
    return folder;
}

}  // namespace quor::fuzz
