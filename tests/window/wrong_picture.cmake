# Shows that the driver's screen check finds a wrong picture: with a copy of
# the pictures in which VSSL.bmp holds the center strip, the left strip on
# the screen must be reported as differing, and the driver must fail.
#   cmake -DDRIVER=... -DPROGRAM=... -DPICTURES=... -DWORK=... -P wrong_picture.cmake
foreach(variable DRIVER PROGRAM PICTURES WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/pictures)
file(GLOB pictures ${PICTURES}/*.bmp)
file(COPY ${pictures} DESTINATION ${WORK}/pictures)
file(COPY_FILE ${PICTURES}/VSSC.bmp ${WORK}/pictures/VSSL.bmp)
file(WRITE ${WORK}/dump.script "dump\n")

execute_process(
  COMMAND wine ${DRIVER} --program ${PROGRAM} --pictures ${WORK}/pictures ${WORK}/dump.script
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
message("${errors}")
if(NOT errors MATCHES "static 1350 \\(VSSL\\): [0-9]+ of [0-9]+ pixels on the screen differ from VSSL.bmp")
  message(FATAL_ERROR "the wrong left strip was not found")
endif()
if(errors MATCHES "static 135[12] \\(VSS[CR]\\): [0-9]+ of")
  message(FATAL_ERROR "a right picture was reported wrong")
endif()
if(NOT status EQUAL 1)
  message(FATAL_ERROR "the driver ended with ${status}, not 1")
endif()
file(REMOVE_RECURSE ${WORK})
