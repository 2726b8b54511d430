#include <gtest/gtest.h>

#include "tools/windows/windows.h"

namespace reelctl::windows {
namespace {

TEST(WindowModel, Placeholder) {
    const Model model = compute_windows(2);
    EXPECT_EQ(model.faults, 0) << model.first_fault;
    EXPECT_EQ(model.triples.size(), 180u);
}

}  // namespace
}  // namespace reelctl::windows
