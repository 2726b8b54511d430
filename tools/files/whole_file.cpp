#include "tools/files/whole_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <fstream>
#include <system_error>

namespace reelctl::files {
namespace {

// Swaps two folders in one step where the system can (Linux), so that the
// place never lacks its folder.
bool exchange(const std::filesystem::path& a, const std::filesystem::path& b) {
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    return renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
#else
    (void)a;
    (void)b;
    return false;
#endif
}

}  // namespace

std::filesystem::path partial_path(const std::filesystem::path& path) {
    std::filesystem::path partial = path;
    partial += ".partial-" + std::to_string(static_cast<long>(getpid()));
    return partial;
}

bool rename_into_place(const std::filesystem::path& partial, const std::filesystem::path& path, std::string& problem) {
    std::error_code error;
    if (std::filesystem::is_directory(partial, error) && std::filesystem::is_directory(path, error)) {
        // A folder cannot be renamed over one that holds files: swap the two,
        // then remove the earlier one, now under the partial name.
        if (!exchange(partial, path)) {
            // Elsewhere: move the earlier folder aside first, then the new one in.
            std::filesystem::path aside = path;
            aside += ".earlier-" + std::to_string(static_cast<long>(getpid()));
            std::filesystem::remove_all(aside, error);
            std::filesystem::rename(path, aside, error);
            if (!error) std::filesystem::rename(partial, path, error);
            if (error) {
                problem = path.string() + ": " + error.message();
                std::filesystem::remove_all(partial, error);
                return false;
            }
            std::filesystem::remove_all(aside, error);
            return true;
        }
        std::filesystem::remove_all(partial, error);
        return true;
    }
    std::filesystem::rename(partial, path, error);
    if (error) {
        problem = path.string() + ": " + error.message();
        std::filesystem::remove_all(partial, error);
        return false;
    }
    return true;
}

bool write_whole(const std::filesystem::path& path, const std::function<void(std::ostream&)>& writer,
                 std::string& problem) {
    const std::filesystem::path partial = partial_path(path);
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (out) writer(out);
        if (!out.flush()) {
            problem = partial.string() + ": cannot be written";
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            return false;
        }
    }
    return rename_into_place(partial, path, problem);
}

}  // namespace reelctl::files
