# cmake --install: the libraries with versioned sonames, the public headers under
# include/quindel, the catalogue and the type library text in share/quindel, the
# tools, the examples with the sample content, CMake package files (find_package(Quindel):
# Quindel::Quindel2, Quindel::runtime, Quindel::platform, Quindel::headless, the host kit's rooms
# Quindel::hostkit_ROOM and the whole kit Quindel::hostkit, and Quindel::qt when built) and
# pkg-config files (quindel.pc for a late-binding host, quindel-component.pc adding the component
# library for hosts that call it directly).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The kit's rooms, as src/hostkit/CMakeLists.txt makes them; quindel_hostkit itself only gathers
# them (an interface library: no file, no version).
get_directory_property(_quindel_kit DIRECTORY ${PROJECT_SOURCE_DIR}/src/hostkit BUILDSYSTEM_TARGETS)
list(REMOVE_ITEM _quindel_kit quindel_hostkit)
set(_quindel_libs quindel_runtime quindel_platform quindel_headless ${_quindel_kit} Quindel2)
foreach(_t quindel_richtext quindel_mci)
  if(TARGET ${_t})
    list(APPEND _quindel_libs ${_t})
  endif()
endforeach()
set(_quindel_all_libs ${_quindel_libs})
if(TARGET quindel_qt)
  list(APPEND _quindel_all_libs quindel_qt)
endif()

# Installed libraries find each other beside themselves; installed tools find them in libdir.
# The soname carries what the package version promises: before 1.0 a minor version may break the
# interface (the CMake package accepts the same minor version only), so it is libX.so.0.1, and
# libX.so.MAJOR from 1.0 on.
file(RELATIVE_PATH _quindel_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set(_quindel_soversion ${PROJECT_VERSION_MAJOR})
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(_quindel_soversion ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
endif()
set(_quindel_patch 0)
if(NOT "${PROJECT_VERSION_PATCH}" STREQUAL "")
  set(_quindel_patch ${PROJECT_VERSION_PATCH})
endif()
foreach(_t ${_quindel_all_libs})
  set_target_properties(${_t} PROPERTIES
                        VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${_quindel_patch}
                        SOVERSION ${_quindel_soversion} INSTALL_RPATH "$ORIGIN")
  string(REGEX REPLACE "^quindel_" "" _export ${_t})
  set_target_properties(${_t} PROPERTIES EXPORT_NAME ${_export})
endforeach()
set_target_properties(quindel_hostkit PROPERTIES EXPORT_NAME hostkit)
set_target_properties(quindel_contract PROPERTIES EXPORT_NAME contract)
# The source tree is the include path while building, include/quindel once installed; the
# headers need C++20, so every target built on the runtime asks for it, a host's included.
set_property(TARGET quindel_runtime PROPERTY INTERFACE_INCLUDE_DIRECTORIES
             $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>
             $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/quindel>)
target_compile_features(quindel_runtime INTERFACE cxx_std_20)

install(TARGETS ${_quindel_libs} quindel_hostkit quindel_contract EXPORT QuindelTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Development)
install(EXPORT QuindelTargets NAMESPACE Quindel:: FILE QuindelTargets.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quindel)
if(TARGET quindel_qt)
  install(TARGETS quindel_qt EXPORT QuindelQtTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT QuindelQtTargets NAMESPACE Quindel:: FILE QuindelQtTargets.cmake
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quindel)
endif()

set(_quindel_tools quindel-regsvr quindel-typelib quindel-lua quindel-build)
foreach(_t ${_quindel_tools})
  set_target_properties(${_t} PROPERTIES INSTALL_RPATH "$ORIGIN/${_quindel_bin_to_lib}")
endforeach()
install(TARGETS ${_quindel_tools} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The catalogue and the type library text are data: the library finds them in the data folder
# installed beside its own (in a build tree they lie beside the library itself).
install(FILES ${PROJECT_SOURCE_DIR}/resources/Quindel.bin
              ${CMAKE_LIBRARY_OUTPUT_DIRECTORY}/Quindel2.idl
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quindel)
file(RELATIVE_PATH _quindel_lib_to_data ${CMAKE_INSTALL_FULL_LIBDIR} ${CMAKE_INSTALL_FULL_DATADIR})
target_compile_definitions(quindel_platform
                           PRIVATE QUINDEL_DATADIR_FROM_LIBDIR="${_quindel_lib_to_data}")

# The public headers only, each in its folder as in src/.
include(${PROJECT_SOURCE_DIR}/cmake/PublicHeaders.cmake)
set(_quindel_headers ${QUINDEL_PUBLIC_HEADERS})
if(TARGET quindel_qt)
  list(APPEND _quindel_headers ${QUINDEL_PUBLIC_QT_HEADERS})
endif()
foreach(_h ${_quindel_headers})
  get_filename_component(_dir ${_h} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${_h}
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quindel/${_dir})
endforeach()

# The examples find the sample content at ../resources/sample, installed as in the source tree.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quindel/examples)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/sample
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quindel/resources)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuindelConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/QuindelConfig.cmake
                              INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quindel)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuindelConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QuindelConfig.cmake ${CMAKE_BINARY_DIR}/QuindelConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quindel)

# quindel.pc links the whole kit: every room by name.
list(TRANSFORM _quindel_kit REPLACE "^(.+)$" "-l\\1" OUTPUT_VARIABLE _quindel_pc_kit)
list(JOIN _quindel_pc_kit " " _quindel_pc_kit)
file(RELATIVE_PATH _quindel_pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig
     ${CMAKE_INSTALL_PREFIX})
foreach(_pc quindel quindel-component)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${_pc}.pc.in ${CMAKE_BINARY_DIR}/${_pc}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${_pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
