// Output files that are either the earlier one or the new one, whole: a file
// is written beside its place under a temporary name (NAME.partial-PID) and
// renamed over it only once complete, so that a run killed midway or one
// that fails leaves what an earlier run wrote in the same folder intact.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

namespace reelctl::files {

// NAME.partial-PID beside `path`.
std::filesystem::path partial_path(const std::filesystem::path& path);

// Renames the finished partial file or folder over `path` (a folder is
// swapped with the earlier one in one step, and the earlier one removed).
// False with `problem` set, and the partial one removed, when that fails.
bool rename_into_place(const std::filesystem::path& partial, const std::filesystem::path& path, std::string& problem);

// Writes a file through `writer` under its partial name, flushes it and renames it.
bool write_whole(const std::filesystem::path& path, const std::function<void(std::ostream&)>& writer,
                 std::string& problem);

}  // namespace reelctl::files
