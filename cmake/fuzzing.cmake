# The fuzz build (REELCTL_FUZZ, clang++): everything is instrumented for
# coverage and checked by the sanitizers, and the standard library checks
# its own indices too. The targets themselves are in tests/fuzz.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "REELCTL_FUZZ needs clang++ (libFuzzer); configure with the fuzz preset")
endif()
set(REELCTL_FUZZ_SECONDS 60 CACHE STRING "Seconds each fuzz target runs under ctest -L fuzz")
target_compile_options(reelctl_options INTERFACE
  -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
target_link_options(reelctl_options INTERFACE -fsanitize=address,undefined)
