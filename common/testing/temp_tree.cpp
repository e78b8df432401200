#include "common/testing/temp_tree.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quor::testing {

namespace fs = std::filesystem;

TempTree::TempTree() {
    std::string pattern = (fs::temp_directory_path() / "quortest.XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    root_ = pattern;
}

TempTree::~TempTree() {
    std::error_code ec;
    // Make everything writable again first, in case a test removed rights.
    for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(root_, ec);
}

fs::path TempTree::file(std::string_view relative, std::string_view contents,
                        std::optional<std::time_t> modified) const {
    const fs::path target = root_ / relative;
    fs::create_directories(target.parent_path());
    // A file with other names (hard links) gets storage of its own first,
    // so that writing it never changes what the other names hold.
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink > 1) {
        fs::remove(target);
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (modified) {
        const timeval times[2] = {{*modified, 0}, {*modified, 0}};
        ::utimes(target.c_str(), times);
    }
    return target;
}

fs::path TempTree::folder(std::string_view relative) const {
    const fs::path target = root_ / relative;
    fs::create_directories(target);
    return target;
}

std::string TempTree::read(std::string_view relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

bool TempTree::exists(std::string_view relative) const {
    std::error_code ec;
    return fs::exists(root_ / relative, ec);
}

TempHome::TempHome() : quorvaneHome_("QUORVANE_HOME", home().string()) {
    fs::create_directories(home());
}

std::string crlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

}  // namespace quor::testing
