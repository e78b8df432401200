#include "quorvane/dupes/entry_store.h"

#include "quorvane/dupes/stored_name.h"
#include "quorvane/generate/cache_format.h"

namespace quor::dupes {

Signature lineSignature(std::string_view fileLine) {
    std::string_view name = fileLine.substr(0, fileLine.find('>'));
    name = name.substr(0, name.find('*'));
    if (name.find('%') == std::string_view::npos) {
        return signatureOf(name);  // nothing to decode
    }
    return signatureOf(generate::decodeCacheName(name));
}

void EntryStore::reserve(std::size_t count, std::size_t averageBytes) {
    text_.reserve(count * averageBytes);
    ends_.reserve(count);
    signatures_.reserve(count);
}

void EntryStore::add(std::string_view folderText, std::string_view fileLine) {
    text_ += folderText;
    text_ += fileLine;
    ends_.push_back(text_.size());
    signatures_.push_back(lineSignature(fileLine));
}

void EntryStore::addStoredName(std::string_view storedName) {
    const StoredNameParts parts = splitStoredName(storedName);
    add(parts.folderText, parts.cacheLine);
}

std::string_view EntryStore::storedName(std::size_t entry) const {
    const std::size_t begin = entry == 0 ? 0 : ends_[entry - 1];
    return std::string_view(text_).substr(begin, ends_[entry] - begin);
}

}  // namespace quor::dupes
