// Every value of the machine's constant tables against data_sheet.txt, an
// independent transcription of the machine's data sheet: one wrong byte in
// any table fails with the table, the row, the column and both values.

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "machine/left_patterns.h"
#include "machine/press_lookups.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "machine/symbols.h"
#include "machine/ten_coin_tables.h"

namespace reelctl {
namespace {

struct Block {
    std::string radix;  // hex, dec or text
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> labels;  // "34:", or "row 33:" for a row without one
};

class DataSheet : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::ifstream in(REELCTL_DATA_SHEET);
        ASSERT_TRUE(in) << "cannot read " << REELCTL_DATA_SHEET;
        Block* block = nullptr;
        std::string line, word;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream words(line);
            if (line[0] == '@') {
                std::string name;
                words >> name >> word;
                ASSERT_EQ(sheet_.count(name.substr(1)), 0u) << "block " << name << " twice";
                block = &sheet_[name.substr(1)];
                block->radix = word;
                continue;
            }
            ASSERT_NE(block, nullptr) << "a row before the first block: " << line;
            std::vector<std::string> row;
            std::string label = "row " + std::to_string(block->rows.size()) + ":";
            for (bool first = true; words >> word; first = false)
                if (first && word.back() == ':') label = word;
                else row.push_back(word);
            block->rows.push_back(row);
            block->labels.push_back(label);
        }
    }

    static long number(const std::string& token, const std::string& radix) {
        const bool prefixed = token.rfind("0x", 0) == 0;
        std::size_t used = 0;
        long value = -1;
        try {
            value = std::stol(token, &used, prefixed || radix == "hex" ? 16 : 10);
        } catch (const std::exception&) {
        }
        EXPECT_EQ(used, token.size()) << "not a number: " << token;
        return value;
    }

    // The rows of block `name`, which must have `rows` rows; the block counts as checked.
    const Block* block(const char* name, std::size_t rows) {
        checked_.insert(name);
        auto it = sheet_.find(name);
        EXPECT_NE(it, sheet_.end()) << "the sheet has no block " << name;
        if (it == sheet_.end()) return nullptr;
        EXPECT_EQ(it->second.rows.size(), rows) << name;
        return it->second.rows.size() == rows ? &it->second : nullptr;
    }

    // Block `name` must be `rows` x `columns` values, value (r, c) equal to in_code(r, c).
    template <typename Actual>
    void compare(const char* name, std::size_t rows, std::size_t columns, Actual in_code) {
        const Block* b = block(name, rows);
        if (!b) return;
        for (std::size_t r = 0; r < rows; ++r) {
            EXPECT_EQ(b->rows[r].size(), columns) << name << " " << b->labels[r];
            for (std::size_t c = 0; c < columns && c < b->rows[r].size(); ++c) {
                const long code = static_cast<long>(in_code(r, c)), in_sheet = number(b->rows[r][c], b->radix);
                EXPECT_EQ(code, in_sheet) << name << " " << b->labels[r] << " column " << c;
            }
        }
    }

    template <std::size_t N>
    void compare_pairs(const char* name, const std::array<PressPair, N>& pairs) {
        compare(name, 2, N, [&](std::size_t r, std::size_t c) { return r == 0 ? pairs[c].press : pairs[c].bits; });
    }

    template <std::size_t N>
    void compare_triples(const char* name, const std::array<StopTriple, N>& triples) {
        compare(name, N, 3, [&](std::size_t r, std::size_t c) {
            const StopTriple& t = triples[r];
            return c == 0 ? t.table_code : c == 1 ? t.left_stop : t.center_press;
        });
    }

    static inline std::map<std::string, Block> sheet_;
    std::set<std::string> checked_;
};

TEST_F(DataSheet, EveryTableMatchesTheSheet) {
    compare("slide_tables", slide_table_count, 21, [](std::size_t r, std::size_t c) { return slide_tables[r][c]; });
    compare("table_number_map", 8, 16, [](std::size_t r, std::size_t c) { return table_number_map[r * 16 + c]; });

    compare_pairs("center_first_big_pairs", center_first_big_pairs);
    compare_pairs("center_first_reg_pairs", center_first_reg_pairs);
    compare_pairs("right_first_big_pairs", right_first_big_pairs);
    compare_pairs("right_first_reg_pairs", right_first_reg_pairs);
    compare_triples("left_first_big_triples", left_first_big_triples);
    compare_triples("left_first_reg_triples", left_first_reg_triples);
    compare("left_stop_code_rows", 2, 21, [](std::size_t r, std::size_t c) { return left_stop_code_rows[r][c]; });

    compare("left_pattern_slides", 10, 21, [](std::size_t r, std::size_t c) { return left_pattern_slides[r][c]; });
    compare("pattern_role_groups", 1, role_count, [](std::size_t, std::size_t c) { return pattern_role_groups[c]; });
    compare("pattern_stop_tables", 8, 21,
            [](std::size_t r, std::size_t c) { return pattern_stop_tables[r / 4][r % 4][c]; });

    compare("ten_coin_code_table", 2, 8, [](std::size_t r, std::size_t c) { return ten_coin_code_table[r][c]; });
    compare("ten_coin_by_position", 21, 6, [](std::size_t r, std::size_t c) {
        const std::array<const std::array<std::uint8_t, 21>*, 6> columns = {
            &ten_coin_left_sets_a,   &ten_coin_left_sets_b,   &ten_coin_weight_selector,
            &ten_coin_center_sets_a, &ten_coin_center_sets_b, &ten_coin_single_tables};
        return (*columns[c])[r];
    });
    compare("ten_coin_weight_schemes", 3, 4, [](std::size_t r, std::size_t c) { return ten_coin_weight_schemes[r + 1][c]; });

    compare("reel_strips", position_count, reel_count, [](std::size_t r, std::size_t c) { return reel_strips[c][r]; });
    compare("role_list_order", 1, role_count, [](std::size_t, std::size_t c) { return role_list_order[c]; });
    compare("role_attributes", bet_count, role_count, [](std::size_t r, std::size_t c) { return role_attributes[r][c]; });

    // The catalogue, bet-major: one row per record, as long as its choice count.
    const Block* shares = block("role_shares", bet_count * role_count);
    const Block* patterns = block("role_patterns", bet_count * role_count);
    const Block* tables = block("role_tables", bet_count * role_count);
    if (shares && patterns && tables) {
        for (int bet = 0; bet < bet_count; ++bet)
            for (int role = 0; role < role_count; ++role) {
                SCOPED_TRACE(testing::Message() << "bet " << bet << " role " << role);
                const std::size_t r = static_cast<std::size_t>(bet * role_count + role);
                const RoleRecord& record = role_records[bet][role];
                EXPECT_EQ(shares->rows[r].size(), record.choice_count);
                EXPECT_EQ(patterns->rows[r].size(), record.choice_count);
                EXPECT_EQ(tables->rows[r].size(), record.choice_count);
                if (shares->rows[r].size() != record.choice_count || patterns->rows[r].size() != record.choice_count ||
                    tables->rows[r].size() != record.choice_count)
                    continue;
                for (std::size_t i = 0; i < record.choice_count; ++i) {
                    EXPECT_EQ(std::string(record.choice_share[i]), shares->rows[r][i]) << "choice " << i;
                    EXPECT_EQ(record.choice_pattern[i], number(patterns->rows[r][i], patterns->radix)) << "choice " << i;
                    EXPECT_EQ(record.choice_table[i], number(tables->rows[r][i], tables->radix)) << "choice " << i;
                }
            }
    }

    // Nothing in the sheet goes unchecked.
    for (const auto& [name, unused] : sheet_) EXPECT_EQ(checked_.count(name), 1u) << "block " << name << " is not checked";
}

}  // namespace
}  // namespace reelctl
