#pragma once

// The settings store: named text values addressed by application, section
// and key, kept in one SQLite database that both programs and an unattended
// run use at once (WAL journal, a busy timeout of 10 s).
//
// Application, section and key compare without regard to case: "Pathname"
// and "PathName" are one value. Every value is text. Values are read from
// the database at every get, never cached, so a value saved by one program
// is seen by the next read of the other.
//
// A failure of the database itself (a disk error, a locked database past the
// busy timeout) throws StoreError, whose text names the cause; the
// operations that use the store catch it and report it as their failure.

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/number_text.h"
#include "common/result.h"
#include "quorvane/store/setting.h"

struct sqlite3;
struct sqlite3_stmt;

namespace quor::store {

inline constexpr std::string_view kQuorvane = "Quorvane";
inline constexpr std::string_view kQuorfind = "Quorfind";
inline constexpr std::string_view kSettings = "Settings";

class StoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class SettingsStore {
  public:
    // How a store that cannot be written is opened.
    enum class Access {
        ReadWrite,         // fails to open (or fails at the first change)
        ReadOnlyFallback,  // opened read-only: changes are skipped, not failed
    };

    // Opens (creating when missing, with its folder) the store at file.
    // With ReadOnlyFallback, an existing store that cannot be written (its
    // file or folder read-only) is opened read-only instead: every value
    // reads as usual, and every change (save, remove, a transaction's work)
    // is skipped and counted rather than thrown. It fails only when the
    // store cannot be read either, with the reason it could not be opened.
    static Result<std::unique_ptr<SettingsStore>> open(const std::filesystem::path& file,
                                                       Access access = Access::ReadWrite);

    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text, or fallback when the value is missing.
    std::string get(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view fallback = "") const;
    bool contains(std::string_view app, std::string_view section, std::string_view key) const;

    // Stores text, creating the section and key when missing.
    void save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value);

    // Removes one key, or a whole section with all its keys.
    void remove(std::string_view app, std::string_view section, std::string_view key);
    void removeSection(std::string_view app, std::string_view section);

    // The keys of a section, in no particular order.
    std::vector<std::string> keys(std::string_view app, std::string_view section) const;

    // Runs work as one transaction (BEGIN IMMEDIATE), so another process sees
    // all of its changes or none. Committed when work returns; rolled back
    // when it throws, and the exception goes on. Nested calls join the
    // outer transaction.
    void transaction(const std::function<void()>& work);

    const std::filesystem::path& file() const { return file_; }

    // True for a store opened read-only by ReadOnlyFallback.
    bool readOnly() const { return readOnly_; }
    // How many changes a read-only store has skipped.
    int skippedChanges() const { return skippedChanges_; }

  private:
    SettingsStore(sqlite3* db, std::filesystem::path file, bool readOnly = false);
    static Result<std::unique_ptr<SettingsStore>> openWritable(const std::filesystem::path& file);
    static Result<std::unique_ptr<SettingsStore>> openReadOnly(const std::filesystem::path& file);
    // True (counting it) when a change must be skipped.
    bool skipChange();
    void exec(const char* sql);
    sqlite3_stmt* prepared(int slot, const char* sql) const;
    [[noreturn]] void fail(std::string_view what) const;

    sqlite3* db_;
    std::filesystem::path file_;
    mutable std::vector<sqlite3_stmt*> statements_;
    int transactionDepth_ = 0;
    bool readOnly_ = false;
    int skippedChanges_ = 0;
};

// The values of one application, so that callers name the section and key
// only: AppSettings qv(store, kQuorvane); qv.get("0", "Path"), or the
// declared setting only: qv.get(kSavePath) (quorvane_settings.h).
class AppSettings {
  public:
    AppSettings(SettingsStore& store, std::string_view app) : store_(store), app_(app) {}

    std::string get(std::string_view section, std::string_view key,
                    std::string_view fallback = "") const {
        return store_.get(app_, section, key, fallback);
    }
    void save(std::string_view section, std::string_view key, std::string_view value) {
        store_.save(app_, section, key, value);
    }
    void remove(std::string_view section, std::string_view key) {
        store_.remove(app_, section, key);
    }
    void removeSection(std::string_view section) { store_.removeSection(app_, section); }
    bool contains(std::string_view section, std::string_view key) const {
        return store_.contains(app_, section, key);
    }

    // A declared value of the section "Settings" (setting.h): its text, or
    // its fallback when missing; read from the store at every call.
    template <ValueKind Kind>
    std::string text(const Setting<Kind>& declared) const {
        return get(kSettings, declared.key, declared.fallback);
    }
    // Its value: the text of a Text setting, the leading number of the
    // others (numPaths reads "NumPaths" as a count).
    std::string get(const TextSetting& declared) const { return text(declared); }
    double get(const NumberSetting& declared) const { return leadingNumber(text(declared)); }
    double get(const IntegerSetting& declared) const { return leadingNumber(text(declared)); }
    template <ValueKind Kind>
    void save(const Setting<Kind>& declared, std::string_view value) {
        save(kSettings, declared.key, value);
    }
    template <ValueKind Kind>
    bool contains(const Setting<Kind>& declared) const {
        return contains(kSettings, declared.key);
    }

    // Values of the section "Settings" under keys made at run time (window
    // places, recent searches) or typed by the user.
    std::string setting(std::string_view key, std::string_view fallback = "") const {
        return get(kSettings, key, fallback);
    }
    void saveSetting(std::string_view key, std::string_view value) { save(kSettings, key, value); }

    SettingsStore& store() const { return store_; }
    const std::string& app() const { return app_; }

  private:
    SettingsStore& store_;
    std::string app_;
};

}  // namespace quor::store
