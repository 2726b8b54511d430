#include "tools/atlas/sqlite_out.h"

#include <sqlite3.h>

#include <cstdint>
#include <initializer_list>
#include <system_error>

#include "tools/files/whole_file.h"
#include "tools/windows/tells.h"

namespace reelctl::atlas {
namespace {

constexpr const char* schema = R"sql(
CREATE TABLE situations (
  id INTEGER PRIMARY KEY,      -- as presses.csv's situation: 1 the first the walk found
  bet INTEGER NOT NULL,        -- 0..2, the dump's state.bet
  stop_order INTEGER NOT NULL, -- 0..5
  role INTEGER NOT NULL,       -- -1 none, 0..10
  bet_text TEXT, stop_order_text TEXT, role_text TEXT, choice TEXT, stops_taken TEXT,
  road TEXT NOT NULL,          -- the panel-script lines from panel start, joined by '\n'
  slide_table INTEGER, pattern_code INTEGER, role_kind INTEGER, left_pattern INTEGER,
  table_choice INTEGER, awaiting_stop INTEGER, split_pending INTEGER, pattern_mode INTEGER,
  left_pos INTEGER, center_pos INTEGER, right_pos INTEGER,  -- state.stop_pos, 0..20
  press_reel INTEGER,          -- 0, or the reel whose column offers press positions
  state TEXT                   -- the dump's state object, JSON
);
CREATE TABLE presses (
  situation INTEGER NOT NULL REFERENCES situations(id),
  reel TEXT NOT NULL,          -- left, center, right
  press INTEGER NOT NULL,      -- 1..21
  slide INTEGER NOT NULL,
  stop INTEGER NOT NULL,       -- 1..21
  mark INTEGER NOT NULL,
  switches_to_table INTEGER,   -- NULL when the press switches nothing
  offers_entries INTEGER,      -- NULL when the press offers no entries
  greyed INTEGER NOT NULL
);
CREATE TABLE windows (
  bet INTEGER NOT NULL, stop_order INTEGER NOT NULL, role INTEGER NOT NULL,
  left INTEGER NOT NULL, center INTEGER NOT NULL, right INTEGER NOT NULL,  -- stop indices 0..20
  numerator INTEGER NOT NULL, denominator INTEGER NOT NULL,
  probability TEXT NOT NULL    -- windows.csv's decimal text; numerator / denominator is exact
);
)sql";

constexpr const char* indexes = R"sql(
CREATE INDEX situations_triple ON situations (bet, stop_order, role);
CREATE INDEX presses_situation ON presses (situation, reel, press);
CREATE INDEX windows_triple ON windows (bet, stop_order, role);
CREATE INDEX windows_stops ON windows (bet, stop_order, left, center, right);
)sql";

const char* reel_text(int reel) { return reel == 0 ? "left" : reel == 1 ? "center" : "right"; }

class Database {
public:
    explicit Database(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) fail("open");
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool ok() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }
    void exec(const char* sql) {
        if (ok() && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail("exec");
    }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (ok() && sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) fail("prepare");
        return statement;
    }
    void step(sqlite3_stmt* statement) {
        if (!ok()) return;
        if (sqlite3_step(statement) != SQLITE_DONE) fail("insert");
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
    void fail(const char* what) {
        if (ok()) problem_ = std::string(what) + ": " + (db_ ? sqlite3_errmsg(db_) : "out of memory");
    }

private:
    sqlite3* db_ = nullptr;
    std::string problem_;
};

// A statement's values bound by position: whole numbers, texts, or NULL for an absent 0.
struct Value {
    enum Kind { integer, text, null } kind;
    std::int64_t number = 0;
    const std::string* string = nullptr;
    Value(std::int64_t n) : kind(integer), number(n) {}
    Value(const std::string& s) : kind(text), string(&s) {}
    static Value or_null(std::int64_t n) {
        Value v(n);
        if (!n) v.kind = null;
        return v;
    }
};

void insert(Database& db, sqlite3_stmt* statement, std::initializer_list<Value> values) {
    int column = 1;
    for (const Value& v : values) {
        if (v.kind == Value::integer) sqlite3_bind_int64(statement, column, v.number);
        if (v.kind == Value::text)
            sqlite3_bind_text(statement, column, v.string->data(), static_cast<int>(v.string->size()), SQLITE_STATIC);
        ++column;
    }
    db.step(statement);
}

void fill(Database& db, const Atlas& atlas, const windows::Model& model) {
    db.exec(schema);
    db.exec("BEGIN");
    sqlite3_stmt* situation = db.prepare("INSERT INTO situations VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    sqlite3_stmt* press = db.prepare("INSERT INTO presses VALUES (?,?,?,?,?,?,?,?,?)");
    sqlite3_stmt* window = db.prepare("INSERT INTO windows VALUES (?,?,?,?,?,?,?,?,?)");
    for (std::size_t n = 0; n < atlas.situations.size() && db.ok(); ++n) {
        const Situation& s = atlas.situations[n];
        const PanelState& p = s.engine.state;
        std::string road;
        for (const walk::RoadAct& act : s.road) road += (road.empty() ? "" : "\n") + walk::road_line(act);
        const std::string texts[] = {bet_text(s), stop_order_text(s), role_text(s), choice_text(s), stops_text(s)};
        const auto id = static_cast<std::int64_t>(n + 1);
        insert(db, situation,
               {id, p.bet, p.stop_order, p.role, texts[0], texts[1], texts[2], texts[3], texts[4], road, p.slide_table,
                p.pattern_code, p.role_kind, p.left_pattern, p.table_choice, p.awaiting_stop, p.split_pending,
                p.pattern_mode, p.stop_pos[0], p.stop_pos[1], p.stop_pos[2], s.press_reel, s.state});
        for (const PressRow& row : s.rows) {
            const std::string reel = reel_text(row.reel);
            insert(db, press,
                   {id, reel, row.press + 1, row.slide, row.stop + 1, row.mark, Value::or_null(row.switches_to),
                    Value::or_null(row.entries), row.greyed ? 1 : 0});
        }
    }
    for (const windows::TripleWindows& t : model.triples) {
        for (const windows::WindowOdds& w : t.windows) {
            if (!db.ok()) break;
            const std::string probability = windows::decimal_text(w.probability);
            insert(db, window,
                   {t.triple.bet, t.triple.stop_order, t.triple.role, w.stops[0], w.stops[1], w.stops[2],
                    static_cast<std::int64_t>(w.probability.numerator),
                    static_cast<std::int64_t>(w.probability.denominator), probability});
        }
    }
    for (sqlite3_stmt* statement : {situation, press, window}) sqlite3_finalize(statement);
    db.exec(indexes);
    db.exec("COMMIT");
}

}  // namespace

bool write_sqlite(const std::filesystem::path& path, const Atlas& atlas, const windows::Model& model,
                  std::string& problem) {
    const std::filesystem::path partial = files::partial_path(path);
    std::error_code error;
    std::filesystem::remove(partial, error);
    {
        Database db(partial.string());
        db.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
        fill(db, atlas, model);
        if (!db.ok()) {
            problem = path.string() + ": cannot be written (" + db.problem() + ")";
            std::filesystem::remove(partial, error);
            return false;
        }
    }
    return files::rename_into_place(partial, path, problem);
}

}  // namespace reelctl::atlas
