#include "app/table_entries.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace reelctl {

void format_table_entry(char (&text)[table_entry_size], int n, const char* share) {
    std::snprintf(text, sizeof text, "(%d) %s%%", n, share);
}

void format_weight_entry(char (&text)[table_entry_size], int n, int weight_tenths) {
    if (weight_tenths % 10 != 0)
        std::snprintf(text, sizeof text, "(%d) %d.%d%%", n, weight_tenths / 10, weight_tenths % 10);
    else
        std::snprintf(text, sizeof text, "(%d) %d%%", n, weight_tenths / 10);
}

int parse_table_entry_number(const char* text) {
    // Only the one or two characters after the opening parenthesis count.
    char digits[3] = {};
    const std::size_t length = std::strlen(text);
    if (length > 1) digits[0] = text[1];
    if (length > 2 && text[2] != ')') digits[1] = text[2];
    return std::atoi(digits);
}

}  // namespace reelctl
