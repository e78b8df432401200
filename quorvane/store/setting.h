#pragma once

// A value of a program's section "Settings", declared once with its key and
// the text read when the key is missing, and typed by how its text is read.
// The declarations are in quorvane_settings.h and quorfind_settings.h;
// AppSettings reads and saves them (settings_store.h), so that a misspelt
// key is a compile error rather than a silent fallback.

#include <string_view>

namespace quor::store {

// How a setting's text is read, and how a saved list file keeps it.
enum class ValueKind {
    Text,     // stored unchanged
    Number,   // its leading numeric value, stored as plain decimal text
    Integer,  // that value as a 16-bit integer
};

template <ValueKind Kind>
struct Setting {
    std::string_view key;
    std::string_view fallback;  // the text read when the key is missing

    // The same key read with another fallback, for the reads that have their
    // own; the call says why.
    constexpr Setting withFallback(std::string_view other) const { return {key, other}; }
};

using TextSetting = Setting<ValueKind::Text>;
using NumberSetting = Setting<ValueKind::Number>;
using IntegerSetting = Setting<ValueKind::Integer>;

// The fallback of the folder settings: the Windows root "c:\" stands for the
// user's home folder (with a trailing "/") on Linux.
inline constexpr std::string_view kRootFolderPlaceholder = "c:\\";

}  // namespace quor::store
