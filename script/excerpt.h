// A piece of script text as it may stand in a message on standard error:
// control bytes and bytes that are no UTF-8 written as \xHH, and no more
// than about `limit` characters (an escape counts four), with "..." where
// the rest was cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace reelctl::script {

std::string readable_excerpt(std::string_view text, std::size_t limit = 60);

}  // namespace reelctl::script
