#include "database.h"

#include "date_time.h"

#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace seclog::server {
namespace {

class Statement {
public:
    Statement(sqlite3 *db, std::string_view sql) : db_(db) {
        const char *tail = nullptr;
        if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail) !=
            SQLITE_OK)
            throw DatabaseError(std::string("prepare failed: ") + sqlite3_errmsg(db));
        // One statement a call, its values all bound: text that ended up in the SQL itself
        // fails here instead of running as a second statement or leaving a value unbound.
        const std::string_view rest(tail, static_cast<size_t>(sql.data() + sql.size() - tail));
        if (rest.find_first_not_of(" \t\r\n;") != std::string_view::npos)
            throw DatabaseError("more than one SQL statement: " + std::string(rest.substr(0, 40)));
        describeColumns();
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(const SqlParams &params) {
        if (params.size() != static_cast<size_t>(sqlite3_bind_parameter_count(stmt_)))
            throw DatabaseError("the statement takes " +
                                std::to_string(sqlite3_bind_parameter_count(stmt_)) +
                                " values, not " + std::to_string(params.size()));
        for (size_t i = 0; i < params.size(); ++i) {
            const int index = static_cast<int>(i + 1);
            const SqlValue &value = params[i];
            int rc = SQLITE_OK;
            if (std::holds_alternative<std::nullptr_t>(value))
                rc = sqlite3_bind_null(stmt_, index);
            else if (auto *number = std::get_if<std::int64_t>(&value))
                rc = sqlite3_bind_int64(stmt_, index, *number);
            else if (auto *real = std::get_if<double>(&value))
                rc = sqlite3_bind_double(stmt_, index, *real);
            else {
                const auto &text = std::get<std::string>(value);
                rc = sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                         SQLITE_UTF8);
            }
            if (rc != SQLITE_OK)
                throw DatabaseError(std::string("bind failed: ") + sqlite3_errmsg(db_));
        }
    }

    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        throw DatabaseError(std::string("step failed: ") + sqlite3_errmsg(db_));
    }

    nlohmann::json currentRow() const {
        nlohmann::json row = nlohmann::json::object();
        auto &object = row.get_ref<nlohmann::json::object_t &>();
        // In key order, each one placed at the end: a reply of many rows is built without a
        // search per value.
        for (const int c : columnsByName_)
            object.emplace_hint(object.end(), names_[static_cast<size_t>(c)], value(c));
        return row;
    }

private:
    nlohmann::json value(int column) const {
        switch (sqlite3_column_type(stmt_, column)) {
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_column_int64(stmt_, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(stmt_, column);
        case SQLITE_NULL:
            return nullptr;
        default: {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
            return std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
        }
        }
    }

    // The row's keys are the column names; of two columns with one name the later one counts.
    void describeColumns() {
        const int columns = sqlite3_column_count(stmt_);
        for (int c = 0; c < columns; ++c)
            names_.emplace_back(sqlite3_column_name(stmt_, c));
        for (int c = 0; c < columns; ++c)
            columnsByName_.push_back(c);
        std::stable_sort(columnsByName_.begin(), columnsByName_.end(), [this](int a, int b) {
            return names_[static_cast<size_t>(a)] < names_[static_cast<size_t>(b)];
        });
        const auto sameName = [this](int a, int b) {
            return names_[static_cast<size_t>(a)] == names_[static_cast<size_t>(b)];
        };
        std::vector<int> unique;
        for (size_t i = 0; i < columnsByName_.size(); ++i)
            if (i + 1 == columnsByName_.size() ||
                !sameName(columnsByName_[i], columnsByName_[i + 1]))
                unique.push_back(columnsByName_[i]);
        columnsByName_ = std::move(unique);
    }

    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
    std::vector<std::string> names_;
    std::vector<int> columnsByName_;
};

// SQL function display_time(iso): lets queries emit the client's date pattern directly.
void displayTimeFunction(sqlite3_context *context, int, sqlite3_value **args) {
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(args[0]));
    const std::string shown = text ? displayFromIso(text) : std::string();
    sqlite3_result_text(context, shown.c_str(), static_cast<int>(shown.size()), SQLITE_TRANSIENT);
}

} // namespace

Database::Database(const std::string &path, bool readOnly) {
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw DatabaseError("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db_, 5000);
    sqlite3_create_function(db_, "display_time", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            displayTimeFunction, nullptr, nullptr);
    if (!readOnly)
        executeScript("PRAGMA foreign_keys = ON");
}

Database::~Database() {
    sqlite3_close(db_);
}

nlohmann::json Database::query(std::string_view sql, const SqlParams &params) {
    Statement statement(db_, sql);
    statement.bind(params);
    nlohmann::json rows = nlohmann::json::array();
    while (statement.step())
        rows.push_back(statement.currentRow());
    return rows;
}

int Database::execute(std::string_view sql, const SqlParams &params) {
    Statement statement(db_, sql);
    statement.bind(params);
    while (statement.step()) {
    }
    return sqlite3_changes(db_);
}

void Database::executeForEach(std::string_view sql, const std::vector<SqlParams> &rows) {
    Statement statement(db_, sql);
    for (const SqlParams &params : rows) {
        statement.bind(params);
        while (statement.step()) {
        }
        statement.reset();
    }
}

void Database::executeScript(const std::string &sql) {
    char *error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw DatabaseError("exec failed: " + message);
    }
}

std::int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

} // namespace seclog::server
