// The texts of the table combo's entries: "(n) share%". A pick is read back
// from the number in parentheses, since combo items carry no data.
#pragma once

#include <cstddef>

namespace reelctl {

// Room for the longest entry text and its terminator.
inline constexpr std::size_t table_entry_size = 32;

// "(n) share%": a role catalogue entry, with its share text ("12.5", "25").
void format_table_entry(char (&text)[table_entry_size], int n, const char* share);

// "(n) w%" from a weight in tenths of a percent: "(1) 12.5%", "(2) 25%".
void format_weight_entry(char (&text)[table_entry_size], int n, int weight_tenths);

// The entry number n of a table combo text "(n) ...": the second character and,
// unless the third is ")", the third too, read as a decimal integer; 0 without digits.
int parse_table_entry_number(const char* text);

}  // namespace reelctl
