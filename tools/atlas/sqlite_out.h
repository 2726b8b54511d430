// atlas.sqlite: the situations, their presses and the windows of every bet,
// stop order and role as tables with indexes, for analysts' queries
// (docs/windows.md gives the schema and a few queries).
#pragma once

#include <filesystem>
#include <string>

#include "tools/atlas/atlas.h"
#include "tools/windows/windows.h"

namespace reelctl::atlas {

// Writes the database under a temporary name beside `path` and renames it into
// place when complete. False with `problem` set when it cannot be written.
bool write_sqlite(const std::filesystem::path& path, const Atlas& atlas, const windows::Model& model,
                  std::string& problem);

}  // namespace reelctl::atlas
