# The install test: run as a script.
#   cmake -DSTEP=install -DBUILD=<build dir> -DWORK=<scratch> -P InstallTest.cmake
#       installs the build into WORK/prefix (a fresh one)
#   cmake -DSTEP=host -DMODE=cmake|pkgconfig -DWORK=<scratch> -DHOST=<host source>
#         -DGENERATOR=<generator> -DCXX=<compiler> [-DHOST_FLAGS=<flags>] -P InstallTest.cmake
#       configures and builds the host against WORK/prefix, registers the installed library in a
#       registry of its own and runs the host, which creates the control by its program id.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK}/prefix)
if(STEP STREQUAL "install")
  file(REMOVE_RECURSE ${prefix})
  run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
  # A versioned soname, and the library's file carries its type library.
  file(GLOB libs ${prefix}/lib*/libQuindel2.so.*.*)
  list(LENGTH libs n)
  if(NOT n EQUAL 1)
    message(FATAL_ERROR "expected one versioned libQuindel2 in ${prefix}, found: ${libs}")
  endif()
  run(${prefix}/bin/quindel-typelib ${libs})
  if(NOT output MATCHES "coclass Quindel {5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004}")
    message(FATAL_ERROR "the installed library carries no type library:\n${output}")
  endif()
  return()
endif()

set(build ${WORK}/host-${MODE})
file(REMOVE_RECURSE ${build})
set(use_pc OFF)
if(MODE STREQUAL "pkgconfig")
  set(use_pc ON)
endif()
file(GLOB pcdir ${prefix}/lib*/pkgconfig)
run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir}
    ${CMAKE_COMMAND} -S ${HOST} -B ${build} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
    -DCMAKE_PREFIX_PATH=${prefix} -DUSE_PKGCONFIG=${use_pc} "-DCMAKE_CXX_FLAGS=${HOST_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${HOST_FLAGS}")
run(${CMAKE_COMMAND} --build ${build})

set(registry ${WORK}/registry-${MODE})
file(REMOVE ${registry})
file(GLOB library ${prefix}/lib*/libQuindel2.so)
run(${prefix}/bin/quindel-regsvr -s --registry ${registry} ${library})
run(${CMAKE_COMMAND} -E env QUINDEL_REGISTRY=${registry} ${build}/quindel-host)
message(STATUS "${output}")
foreach(expected "Quindel: VolumeAudio 255, AttesaAutoplay 2000" "libraries unloaded: 1"
                 "run-time error 429: ActiveX component can't create object")
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the host did not print \"${expected}\":\n${output}")
  endif()
endforeach()
