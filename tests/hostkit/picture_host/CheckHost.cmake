# The picture-only host: it shows its picture, and neither it nor any library it loads is
# GStreamer, libzip or a host kit room that uses them. Run as:
#   cmake -DHOST=<host program> -DPICTURE=<picture file> -DSIZE="W x H" -P CheckHost.cmake
execute_process(COMMAND ${HOST} ${PICTURE} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "picture ${SIZE}")
  message(FATAL_ERROR "the host did not show its picture (${rc}):\n${out}${err}")
endif()
execute_process(COMMAND ldd ${HOST} RESULT_VARIABLE rc OUTPUT_VARIABLE libs ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ldd failed (${rc}): ${err}")
endif()
string(REGEX MATCHALL "lib(gst[a-z0-9_-]*|zip|quindel_hostkit_(media|zip|stage))\\.so[.0-9]*" bad
       "${libs}")
if(bad)
  message(FATAL_ERROR "a host showing pictures loads ${bad}:\n${libs}")
endif()
message(STATUS "${out}")
