# What the Windows build adds: the resource compiler, static programs, and,
# when cross compiling, GoogleTest from source and a Wine runner for the tests.

enable_language(RC)

# Every source that includes <windows.h> gets it without the rarely used APIs.
add_compile_definitions(WIN32_LEAN_AND_MEAN)

# Programs that need no DLL beyond the system's own (no libstdc++, libgcc or winpthread DLLs).
if(MINGW)
  add_link_options(-static)
endif()

if(CMAKE_CROSSCOMPILING AND REELCTL_BUILD_TESTS)
  # The distribution has no GoogleTest for the target: build it from its sources,
  # and let find_package(GTest) take these targets.
  set(REELCTL_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${REELCTL_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config.cmake
       "# GTest::gtest and GTest::gtest_main are targets of this build.\n")

  # Tests and test discovery run through the runner, in the build's own Wine prefix.
  set(REELCTL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
                 @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
  # Made at build time: making it takes longer than a test's discovery may.
  add_custom_command(OUTPUT ${REELCTL_WINEPREFIX}/system.reg
                     COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --prefix
                     COMMENT "Making the Wine prefix for the tests"
                     VERBATIM)
  add_custom_target(reelctl_wineprefix ALL DEPENDS ${REELCTL_WINEPREFIX}/system.reg)
endif()
