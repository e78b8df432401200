#pragma once

// The entries a duplicate search compares: one per file line of the
// catalogue, numbered in reading order, each with its stored name (see
// stored_name.h) and the signature of its file name. The store grows as
// entries are added, so a catalogue larger than the last build counted is
// still read whole. Names are kept in one text buffer, so a million entries
// cost little more than their text.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/dupes/signature.h"

namespace quor::dupes {

class EntryStore {
  public:
    // Room for about count entries of averageBytes each (a hint only).
    void reserve(std::size_t count, std::size_t averageBytes = 64);

    // Adds the file line of a cache file read under the folder heading
    // whose text (after its "*") is folderText. The signature counts the
    // line's name: cut before its first ">", then before its first "*",
    // decoded and lower-cased.
    void add(std::string_view folderText, std::string_view fileLine);

    // Adds an entry from a stored name as add() would have formed it.
    void addStoredName(std::string_view storedName);

    std::size_t size() const { return signatures_.size(); }
    bool empty() const { return signatures_.empty(); }
    std::string_view storedName(std::size_t entry) const;
    std::span<const Signature> signatures() const { return signatures_; }

  private:
    std::string text_;
    std::vector<std::size_t> ends_;
    std::vector<Signature> signatures_;
};

// The signature of a cache file line's name, as EntryStore::add counts it.
Signature lineSignature(std::string_view fileLine);

}  // namespace quor::dupes
