#include "quorvane/generate/sort_disk_blocks.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.h"
#include "quorvane/generate/sort.h"

namespace quor::generate {

namespace {

struct DiskBlock {
    std::string name;
    std::vector<std::string_view> lines;  // header first
    bool written = false;
};

// Splits the file into the lines before the first disk header and the disk
// blocks, dropping empty lines; both LF and CR LF end a line.
std::vector<DiskBlock> splitBlocks(std::string_view text, std::vector<std::string_view>& leading) {
    std::vector<DiskBlock> blocks;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        if (line[0] == '?') {
            blocks.push_back({std::string(line.substr(1)), {}, false});
        }
        (blocks.empty() ? leading : blocks.back().lines).push_back(line);
    }
    return blocks;
}

}  // namespace

Status SortDiskBlocks(store::ListContext& context, int recordIndex, const Collation& order) {
    const std::filesystem::path file = context.places.cacheFile(recordIndex);
    if (!isRegularFile(file)) {
        return Status::success();
    }
    BusyPointer busy(context.user);
    Result<std::string> contents = readFile(file);
    if (!contents) {
        return Error{contents.error()};
    }
    std::vector<std::string_view> leading;
    std::vector<DiskBlock> blocks = splitBlocks(*contents, leading);
    std::vector<std::string> names;
    names.reserve(blocks.size());
    for (const DiskBlock& block : blocks) {
        names.push_back(block.name);
    }
    SortStrings(names, order);

    std::string out;
    auto write = [&out](std::string_view line) {
        out += line;
        out += "\r\n";
    };
    for (std::string_view line : leading) {
        write(line);
    }
    for (const std::string& name : names) {
        for (DiskBlock& block : blocks) {
            if (!block.written && block.name == name) {
                for (std::string_view line : block.lines) {
                    write(line);
                }
                block.written = true;
                break;
            }
        }
    }
    return writeFileAtomically(file, out);
}

}  // namespace quor::generate
