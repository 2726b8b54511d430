# The system's texts are the narrow literals of machine/texts.cpp, held as
# code page 932 bytes. That source alone is compiled for them; every other
# source keeps its narrow literals as written (ASCII, or UTF-8 where a test
# or a binding says so).
#
#   GCC    compiles machine/texts.cpp with -fexec-charset=CP932.
#   Clang  (native and emscripten) has no code page 932 execution character
#          set: it compiles a code page 932 copy of texts.cpp made at
#          configure time, and keeps the bytes of its narrow literals as they
#          are, so the texts are byte for byte what GCC makes of the source.
#
# REELCTL_TEXTS_SOURCE is the source reelctl_machine compiles for the texts;
# reelctl_texts_options(TARGET) gives it its options in TARGET, for a target
# that compiles the machine's sources itself (the walk's optimised build).
set(texts_source ${PROJECT_SOURCE_DIR}/machine/texts.cpp)
set(REELCTL_TEXTS_SOURCE ${texts_source})
set(REELCTL_TEXTS_OPTIONS)

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(REELCTL_TEXTS_OPTIONS -fexec-charset=CP932)
elseif(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  find_program(REELCTL_ICONV iconv REQUIRED)
  set(texts_copy ${PROJECT_BINARY_DIR}/texts_cp932.cpp)
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
  set(REELCTL_TEXTS_SOURCE ${texts_copy})
  set(REELCTL_TEXTS_OPTIONS -Wno-invalid-source-encoding)
endif()

function(reelctl_texts_options target)
  if(REELCTL_TEXTS_OPTIONS)
    set_source_files_properties(${REELCTL_TEXTS_SOURCE} TARGET_DIRECTORY ${target}
      PROPERTIES COMPILE_OPTIONS "${REELCTL_TEXTS_OPTIONS}")
  endif()
endfunction()
reelctl_texts_options(reelctl_machine)
