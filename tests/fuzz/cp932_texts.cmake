# clang has no code page 932 execution character set. The core is built from
# a code page 932 copy of machine/texts.cpp instead, made at configure time;
# clang keeps the bytes of narrow literals as they are, so the texts stay
# byte for byte what GCC makes of the UTF-8 source.
find_program(REELCTL_ICONV iconv REQUIRED)
set(texts_source ${PROJECT_SOURCE_DIR}/machine/texts.cpp)
set(texts_copy ${PROJECT_BINARY_DIR}/texts_cp932.cpp)
set(REELCTL_CP932_TEXTS ${texts_copy})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${texts_source})
execute_process(COMMAND ${REELCTL_ICONV} -f UTF-8 -t CP932 -o ${texts_copy} ${texts_source}
  RESULT_VARIABLE iconv_status)
if(NOT iconv_status EQUAL 0)
  message(FATAL_ERROR "iconv could not convert ${texts_source} to code page 932")
endif()
# A few bytes as they must be: the ten-coin role's name and the title's arrow.
file(READ ${texts_copy} texts_hex HEX)
foreach(bytes 313096878fac96f0 8db681a8928681a88945)
  string(FIND "${texts_hex}" "${bytes}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the code page 932 copy of the texts lacks the bytes ${bytes}")
  endif()
endforeach()

get_target_property(core_sources reelctl_machine SOURCES)
list(FIND core_sources ${texts_source} texts_index)
if(texts_index EQUAL -1)
  message(FATAL_ERROR "reelctl_machine no longer builds ${texts_source}")
endif()
list(REMOVE_AT core_sources ${texts_index})
list(APPEND core_sources ${texts_copy})
set_property(TARGET reelctl_machine PROPERTY SOURCES ${core_sources})
set_source_files_properties(${texts_copy} TARGET_DIRECTORY reelctl_machine
  PROPERTIES COMPILE_OPTIONS -Wno-invalid-source-encoding)
