cmake_minimum_required(VERSION 3.25)
# The core (machine data, engine, the dialog's interface, panel logic) includes
# no platform header: only the C++ standard library and the project's own headers.
file(GLOB_RECURSE core_sources
  ${SOURCE_DIR}/machine/*.h ${SOURCE_DIR}/machine/*.cpp
  ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp
  ${SOURCE_DIR}/panel/*.h ${SOURCE_DIR}/panel/*.cpp
  ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp)
set(allowed algorithm array atomic charconv cstddef cstdint cstdio cstdlib cstring optional span string_view)
set(failures "")
foreach(source ${core_sources})
  file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>.*" "\\1" header "${line}")
    if(NOT header IN_LIST allowed)
      string(APPEND failures "${source}: <${header}>\n")
    endif()
  endforeach()
endforeach()
list(LENGTH core_sources count)
if(count LESS 20)
  message(FATAL_ERROR "only ${count} core sources found under ${SOURCE_DIR}")
endif()
if(failures)
  message(FATAL_ERROR "headers outside the core's allowed set:\n${failures}")
endif()
message(STATUS "${count} core sources include only standard headers")
