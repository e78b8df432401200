#include "quorvane/store/settings_store.h"

#include <sqlite3.h>

#include <cctype>

#include "common/file_io.h"

namespace quor::store {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS settings(
  app     TEXT NOT NULL COLLATE NOCASE,
  section TEXT NOT NULL COLLATE NOCASE,
  key     TEXT NOT NULL COLLATE NOCASE,
  value   TEXT NOT NULL,
  PRIMARY KEY(app, section, key)) WITHOUT ROWID;
)sql";

constexpr int kBusyTimeoutMs = 10000;

// Slots of the prepared statements, kept for the life of the connection.
enum Slot { kGet, kContains, kSave, kRemoveKey, kRemoveSection, kKeys, kSlotCount };

void bindText(sqlite3_stmt* statement, int index, std::string_view text) {
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

// Resets a statement when it goes out of scope, so that it holds no lock.
struct ResetOnExit {
    sqlite3_stmt* statement;
    ~ResetOnExit() {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
};

std::string columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    const int size = sqlite3_column_bytes(statement, column);
    return text != nullptr ? std::string(text, static_cast<std::size_t>(size)) : std::string();
}

// The URI of file for sqlite3_open_v2, with the query given.
std::string fileUri(const std::filesystem::path& file, std::string_view query) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    std::string uri = "file:";
    for (const char c : (error ? file : absolute).string()) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 ||
            std::string_view("/-._~").find(c) != std::string_view::npos) {
            uri += c;
        } else {
            constexpr std::string_view kHex = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0xF];
        }
    }
    return uri + "?" + std::string(query);
}

}  // namespace

Result<std::unique_ptr<SettingsStore>> SettingsStore::open(const std::filesystem::path& file,
                                                           Access access) {
    auto writable = openWritable(file);
    if (access == Access::ReadWrite) {
        return writable;
    }
    if (writable && !sqlite3_db_readonly((*writable)->db_, "main")) {
        return writable;
    }
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return writable;
    }
    const std::string writeFailure = writable ? std::string() : writable.error();
    writable = Error{};  // closes a store that opened read-only
    auto readOnly = openReadOnly(file);
    if (!readOnly && !writeFailure.empty()) {
        return Error{writeFailure};
    }
    return readOnly;
}

Result<std::unique_ptr<SettingsStore>> SettingsStore::openWritable(
    const std::filesystem::path& file) {
    if (Status made = createFolders(file.parent_path()); !made) {
        return Error{made.error()};
    }
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(file.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string text = "Could not open the settings store " + file.string() + ": " +
                           (db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return Error{text};
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    std::unique_ptr<SettingsStore> store(new SettingsStore(db, file));
    try {
        store->exec("PRAGMA journal_mode=WAL");
        store->exec("PRAGMA synchronous=NORMAL");
        store->exec(kSchema);
    } catch (const StoreError& error) {
        return Error{error.what()};
    }
    return store;
}

// A WAL store is read through its shared-memory index, which a read-only
// folder may not hold; an immutable open reads the database file alone (no
// other program can be writing it there).
Result<std::unique_ptr<SettingsStore>> SettingsStore::openReadOnly(
    const std::filesystem::path& file) {
    std::string reason;
    for (const char* query : {"mode=ro", "mode=ro&immutable=1"}) {
        sqlite3* db = nullptr;
        const int rc =
            sqlite3_open_v2(fileUri(file, query).c_str(), &db,
                            SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            reason = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
            sqlite3_close(db);
            continue;
        }
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        std::unique_ptr<SettingsStore> store(new SettingsStore(db, file, true));
        try {
            store->exec("SELECT count(*) FROM settings");
            return store;
        } catch (const StoreError& error) {
            reason = error.what();
        }
    }
    return Error{"Could not open the settings store " + file.string() + ": " + reason};
}

SettingsStore::SettingsStore(sqlite3* db, std::filesystem::path file, bool readOnly)
    : db_(db), file_(std::move(file)), statements_(kSlotCount, nullptr), readOnly_(readOnly) {}

bool SettingsStore::skipChange() {
    if (readOnly_) {
        ++skippedChanges_;
    }
    return readOnly_;
}

SettingsStore::~SettingsStore() {
    for (sqlite3_stmt* statement : statements_) {
        sqlite3_finalize(statement);
    }
    sqlite3_close(db_);
}

void SettingsStore::fail(std::string_view what) const {
    throw StoreError("The settings store " + file_.string() + " could not " + std::string(what) +
                     ": " + sqlite3_errmsg(db_));
}

void SettingsStore::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = "The settings store " + file_.string() +
                           " failed: " + (message != nullptr ? message : sqlite3_errmsg(db_));
        sqlite3_free(message);
        throw StoreError(text);
    }
}

sqlite3_stmt* SettingsStore::prepared(int slot, const char* sql) const {
    sqlite3_stmt*& statement = statements_[static_cast<std::size_t>(slot)];
    if (statement == nullptr &&
        sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
        fail("prepare a query");
    }
    return statement;
}

std::string SettingsStore::get(std::string_view app, std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    sqlite3_stmt* statement =
        prepared(kGet, "SELECT value FROM settings WHERE app=?1 AND section=?2 AND key=?3");
    ResetOnExit reset{statement};
    bindText(statement, 1, app);
    bindText(statement, 2, section);
    bindText(statement, 3, key);
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        return columnText(statement, 0);
    }
    if (rc != SQLITE_DONE) {
        fail("read a value");
    }
    return std::string(fallback);
}

bool SettingsStore::contains(std::string_view app, std::string_view section,
                             std::string_view key) const {
    sqlite3_stmt* statement =
        prepared(kContains, "SELECT 1 FROM settings WHERE app=?1 AND section=?2 AND key=?3");
    ResetOnExit reset{statement};
    bindText(statement, 1, app);
    bindText(statement, 2, section);
    bindText(statement, 3, key);
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        fail("read a value");
    }
    return rc == SQLITE_ROW;
}

void SettingsStore::save(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view value) {
    if (skipChange()) {
        return;
    }
    // The first spelling of a key stays; the value is replaced.
    sqlite3_stmt* statement = prepared(kSave,
                                       "INSERT INTO settings(app, section, key, value) "
                                       "VALUES(?1, ?2, ?3, ?4) "
                                       "ON CONFLICT(app, section, key) DO UPDATE SET value=?4");
    ResetOnExit reset{statement};
    bindText(statement, 1, app);
    bindText(statement, 2, section);
    bindText(statement, 3, key);
    bindText(statement, 4, value);
    if (sqlite3_step(statement) != SQLITE_DONE) {
        fail("save a value");
    }
}

void SettingsStore::remove(std::string_view app, std::string_view section, std::string_view key) {
    if (skipChange()) {
        return;
    }
    sqlite3_stmt* statement =
        prepared(kRemoveKey, "DELETE FROM settings WHERE app=?1 AND section=?2 AND key=?3");
    ResetOnExit reset{statement};
    bindText(statement, 1, app);
    bindText(statement, 2, section);
    bindText(statement, 3, key);
    if (sqlite3_step(statement) != SQLITE_DONE) {
        fail("delete a value");
    }
}

void SettingsStore::removeSection(std::string_view app, std::string_view section) {
    if (skipChange()) {
        return;
    }
    sqlite3_stmt* statement =
        prepared(kRemoveSection, "DELETE FROM settings WHERE app=?1 AND section=?2");
    ResetOnExit reset{statement};
    bindText(statement, 1, app);
    bindText(statement, 2, section);
    if (sqlite3_step(statement) != SQLITE_DONE) {
        fail("delete a section");
    }
}

std::vector<std::string> SettingsStore::keys(std::string_view app, std::string_view section) const {
    sqlite3_stmt* statement =
        prepared(kKeys, "SELECT key FROM settings WHERE app=?1 AND section=?2");
    ResetOnExit reset{statement};
    bindText(statement, 1, app);
    bindText(statement, 2, section);
    std::vector<std::string> out;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        out.push_back(columnText(statement, 0));
    }
    if (rc != SQLITE_DONE) {
        fail("read a section");
    }
    return out;
}

void SettingsStore::transaction(const std::function<void()>& work) {
    if (transactionDepth_ > 0 || readOnly_) {
        work();
        return;
    }
    exec("BEGIN IMMEDIATE");
    transactionDepth_ = 1;
    try {
        work();
    } catch (...) {  // rolled back, then the caller hears of it as it was thrown
        transactionDepth_ = 0;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    transactionDepth_ = 0;
    try {
        exec("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace quor::store
