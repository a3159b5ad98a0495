# The install test: run as a script.
#   cmake -DSTEP=install -DBUILD=<build dir> -DWORK=<scratch> -DSOURCE=<source dir> -P InstallTest.cmake
#       installs the build into WORK/prefix (a fresh one) and checks its shape: one soname per
#       library following the version, the type library in the component's file, the catalogue in
#       the data folder, exactly the public headers
#   cmake -DSTEP=host -DMODE=cmake|pkgconfig -DWORK=<scratch> -DHOST=<host source>
#         -DGENERATOR=<generator> -DCXX=<compiler> [-DHOST_FLAGS=<flags>] -P InstallTest.cmake
#       configures and builds the host against WORK/prefix, registers the installed library in a
#       registry of its own and runs the host, which creates the control by its program id
#   cmake -DSTEP=headers -DWORK=<scratch> -DSOURCE=<source dir> -DGENERATOR=... -DCXX=...
#       compiles each installed public header alone, through find_package(Quindel)
#   cmake -DSTEP=readme -DWORK=<scratch> -DSOURCE=<source dir> -DGENERATOR=... -DCXX=...
#       builds the README's host (its code block, else tests/install/readme_host.cpp) with CMake
#       and with the README's pkg-config line, and runs both, registered and not
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_in text)
  foreach(expected ${ARGN})
    string(FIND "${text}" "${expected}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "expected \"${expected}\" in:\n${text}")
    endif()
  endforeach()
endfunction()

set(prefix ${WORK}/prefix)
file(GLOB pcdir ${prefix}/lib*/pkgconfig)

if(STEP STREQUAL "install")
  file(REMOVE_RECURSE ${prefix})
  run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
  # Every library's soname carries the version's compatibility: major.minor before 1.0.
  file(STRINGS ${SOURCE}/CMakeLists.txt project REGEX "^project\\(Quindel VERSION")
  string(REGEX MATCH "VERSION ([0-9]+)\\.([0-9]+)" _ "${project}")
  set(soversion ${CMAKE_MATCH_1})
  if(CMAKE_MATCH_1 EQUAL 0)
    set(soversion ${CMAKE_MATCH_1}.${CMAKE_MATCH_2})
  endif()
  file(GLOB libs ${prefix}/lib*/lib*.so)
  foreach(lib ${libs})
    run(readelf -d ${lib})
    get_filename_component(name ${lib} NAME)
    if(NOT output MATCHES "Library soname: \\[${name}\\.${soversion}\\]")
      message(FATAL_ERROR "${name}: the soname is not ${name}.${soversion}:\n${output}")
    endif()
  endforeach()
  file(GLOB component ${prefix}/lib*/libQuindel2.so)
  run(${prefix}/bin/quindel-typelib ${component})
  expect_in("${output}" "coclass Quindel {5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004}")
  # Data in the data folder, nothing beside the libraries but libraries.
  foreach(data Quindel.bin Quindel2.idl)
    if(NOT EXISTS ${prefix}/share/quindel/${data})
      message(FATAL_ERROR "${data} is not installed in share/quindel")
    endif()
  endforeach()
  file(GLOB beside LIST_DIRECTORIES false ${prefix}/lib*/*)
  list(FILTER beside EXCLUDE REGEX "\\.so(\\.[0-9]+)*$")
  if(beside)
    message(FATAL_ERROR "beside the libraries: ${beside}")
  endif()
  # Exactly the public headers.
  include(${SOURCE}/cmake/PublicHeaders.cmake)
  set(public ${QUINDEL_PUBLIC_HEADERS})
  if(EXISTS ${prefix}/include/quindel/platform/qt)
    list(APPEND public ${QUINDEL_PUBLIC_QT_HEADERS})
  endif()
  file(GLOB_RECURSE installed RELATIVE ${prefix}/include/quindel ${prefix}/include/quindel/*)
  list(SORT public)
  list(SORT installed)
  if(NOT public STREQUAL installed)
    set(extra ${installed})
    list(REMOVE_ITEM extra ${public})
    set(missing ${public})
    list(REMOVE_ITEM missing ${installed})
    message(FATAL_ERROR "installed headers differ from the list: extra ${extra}; missing ${missing}")
  endif()
  return()
endif()

# Builds a CMake project against the prefix, with no language level of its own.
function(build_project source build)
  file(REMOVE_RECURSE ${build})
  run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir}
      ${CMAKE_COMMAND} -S ${source} -B ${build} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
      -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${HOST_FLAGS}"
      "-DCMAKE_EXE_LINKER_FLAGS=${HOST_FLAGS}" ${ARGN})
  run(${CMAKE_COMMAND} --build ${build})
endfunction()

# A registry of the test's own holding the installed component.
function(register registry)
  file(REMOVE ${registry})
  file(GLOB library ${prefix}/lib*/libQuindel2.so)
  run(${prefix}/bin/quindel-regsvr -s --registry ${registry} ${library})
endfunction()

if(STEP STREQUAL "headers")
  set(project ${WORK}/headers)
  file(REMOVE_RECURSE ${project})
  file(GLOB_RECURSE headers RELATIVE ${prefix}/include/quindel ${prefix}/include/quindel/*.h)
  foreach(h ${headers})
    string(MAKE_C_IDENTIFIER ${h} id)
    # Twice, so a header without its include guard fails too.
    file(WRITE ${project}/src/${id}.cpp "#include \"${h}\"\n#include \"${h}\"\n")
  endforeach()
  file(WRITE ${project}/CMakeLists.txt [=[
cmake_minimum_required(VERSION 3.25)
project(QuindelHeaders LANGUAGES CXX)
find_package(Quindel 0.1 REQUIRED)
file(GLOB sources ${CMAKE_CURRENT_SOURCE_DIR}/src/*.cpp)
add_library(headers OBJECT ${sources})
target_compile_options(headers PRIVATE -fsyntax-only -Wall -Wextra)
target_link_libraries(headers PRIVATE Quindel::hostkit Quindel::Quindel2)
if(TARGET Quindel::qt)
  target_link_libraries(headers PRIVATE Quindel::qt)
endif()
]=])
  build_project(${project} ${project}/build)
  list(LENGTH headers n)
  message(STATUS "${n} public headers compile alone")
  return()
endif()

if(STEP STREQUAL "readme")
  # The code block between the README's host-example markers, once the README has them.
  set(code_file ${SOURCE}/tests/install/readme_host.cpp)
  file(READ ${code_file} code)
  file(READ ${SOURCE}/README.md readme)
  string(FIND "${readme}" "<!-- host-example -->" at)
  if(NOT at EQUAL -1)
    string(SUBSTRING "${readme}" ${at} -1 block)
    string(REGEX MATCH "```cpp\n(.*)```\n<!-- /host-example -->" _ "${block}")
    if(NOT CMAKE_MATCH_1 STREQUAL code)
      message(FATAL_ERROR "the README's host example differs from ${code_file}:\n${CMAKE_MATCH_1}")
    endif()
  else()
    message(STATUS "README.md has no host-example markers yet: building ${code_file}")
  endif()
  set(project ${WORK}/readme)
  file(REMOVE_RECURSE ${project})
  file(WRITE ${project}/host.cpp "${code}")
  file(COPY ${SOURCE}/tests/install/readme/CMakeLists.txt DESTINATION ${project})
  build_project(${project} ${project}/build-cmake)
  # The README's pkg-config line, as a person types it.
  run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir} sh -c
      "cd ${project} && ${CXX} ${HOST_FLAGS} host.cpp $(pkg-config --cflags --libs quindel) -Wl,-rpath,$(pkg-config --variable=libdir quindel) -o host-pkgconfig")
  register(${WORK}/registry-readme)
  foreach(host ${project}/build-cmake/host ${project}/host-pkgconfig)
    run(${CMAKE_COMMAND} -E env QUINDEL_REGISTRY=${WORK}/registry-readme ${host})
    expect_in("${output}" "VolumeAudio 100")
    # Not registered: the error is caught and said.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env QUINDEL_REGISTRY=${WORK}/no-registry ${host}
                    RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 1)
      message(FATAL_ERROR "${host} without a registration ended with ${rc}:\n${err}")
    endif()
    expect_in("${err}" "run-time error 429")
  endforeach()
  return()
endif()

set(use_pc OFF)
if(MODE STREQUAL "pkgconfig")
  set(use_pc ON)
endif()
build_project(${HOST} ${WORK}/host-${MODE} -DUSE_PKGCONFIG=${use_pc})
register(${WORK}/registry-${MODE})
run(${CMAKE_COMMAND} -E env QUINDEL_REGISTRY=${WORK}/registry-${MODE} ${WORK}/host-${MODE}/quindel-host)
message(STATUS "${output}")
expect_in("${output}" "Quindel: VolumeAudio 255, AttesaAutoplay 2000" "; message boxes: 0"
          "libraries unloaded: 1" "run-time error 429: ActiveX component can't create object")
if(output MATCHES "tooltip 14: ;")
  message(FATAL_ERROR "the installed library found no catalogue:\n${output}")
endif()
