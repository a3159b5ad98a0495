# Debian packages by CPack: `cpack -G DEB` in the build folder (or the `package` target) makes
#   libquindelN     the runtime libraries, the catalogue, the type library text and the component's
#                   drop-in registration (share/quindel/registry.d/Quindel2.reg)
#   libquindel-dev  the headers, the libraries' link names, the CMake and pkg-config files
#   quindel-viewer  the viewer, its menu entry, AppStream metainfo, the list files' MIME type, icons
#   quindel-tools   quindel-lua, quindel-regsvr, quindel-typelib (and quindel-build), the examples
#   quindel-sample  the sample content (Architecture: all)
# Where a file goes is said once, by the install rules (cmake/Install.cmake and the programs'
# own); which package takes it is said here by its path under the prefix, as a Debian package's
# .install lists do. A file no package takes stops the packaging, so a new install rule cannot
# fall out of the packages unnoticed. The library package is named after the libraries' soname
# version (libquindel0.1 for libQuindel2.so.0.1), so a new soname makes a package beside it.
# The packages install under /usr; the paths the programs compute (library to data, program to
# sample) are relative, so a tree configured for any prefix builds them.
include(GNUInstallDirs)

set(_pkg_lib ${CMAKE_INSTALL_LIBDIR})
set(_pkg_data ${CMAKE_INSTALL_DATADIR}/quindel)
get_target_property(_quindel_soversion Quindel2 SOVERSION)
set(_quindel_packages libquindel libquindel-dev quindel-viewer quindel-tools quindel-sample)
# Regular expressions over paths relative to the prefix; the first package whose rule matches a
# file takes it.
set(_quindel_takes_libquindel "^${_pkg_lib}/lib[^/]+\\.so\\.[0-9]" "^${_pkg_lib}/Quindel\\.bin$"
                              "^${_pkg_lib}/Quindel2\\.idl$" "^${_pkg_data}/[^/]+$")
set(_quindel_takes_libquindel-dev "^${CMAKE_INSTALL_INCLUDEDIR}/" "^${_pkg_lib}/lib[^/]+\\.so$"
                                  "^${_pkg_lib}/cmake/" "^${_pkg_lib}/pkgconfig/")
set(_quindel_takes_quindel-viewer "^${CMAKE_INSTALL_BINDIR}/quindel-viewer$")
# quindel-build: the content builder, when it is built.
set(_quindel_takes_quindel-tools "^${CMAKE_INSTALL_BINDIR}/quindel-(lua|regsvr|typelib|build)$"
                                 "^${_pkg_data}/examples/")
set(_quindel_takes_quindel-sample "^${_pkg_data}/resources/sample/")
# Installed but packaged by nobody: hidden files (version control, the content builder's cache).
set(_quindel_drops "/\\.[^/]+$")
if(NOT TARGET quindel-viewer)
  list(REMOVE_ITEM _quindel_packages quindel-viewer)
endif()

set(_pkg_dir ${CMAKE_BINARY_DIR}/packaging)
set(_pkg_rules "set(QUINDEL_BUILD \"${CMAKE_BINARY_DIR}\")\n")
string(APPEND _pkg_rules "set(QUINDEL_PACKAGES ${_quindel_packages})\n")
string(APPEND _pkg_rules "set(QUINDEL_DROPS [==[${_quindel_drops}]==])\n")
foreach(_p ${_quindel_packages})
  string(APPEND _pkg_rules "set(QUINDEL_TAKES_${_p} [==[${_quindel_takes_${_p}}]==])\n")
endforeach()
file(GENERATE OUTPUT ${_pkg_dir}/PackageRules.cmake CONTENT "${_pkg_rules}")
foreach(_p ${_quindel_packages})
  install(CODE "set(QUINDEL_PACKAGE ${_p})
                include(\"${_pkg_dir}/PackageRules.cmake\")
                include(\"${PROJECT_SOURCE_DIR}/cmake/PackageFiles.cmake\")"
          COMPONENT ${_p})
endforeach()

# The component registers itself the Debian way: a drop-in file the registry reads, made here by
# its own entry point and naming the library by its soname, relative to the drop-in's folder.
set(_dropin_dir ${CMAKE_INSTALL_FULL_DATADIR}/quindel/registry.d)
file(RELATIVE_PATH _dropin_to_lib ${_dropin_dir} ${CMAKE_INSTALL_FULL_LIBDIR})
set(_dropin ${_pkg_dir}/Quindel2.reg)
add_custom_command(
  OUTPUT ${_dropin}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${_dropin}
  COMMAND quindel-regsvr -s --registry ${_dropin} --record-as
          ${_dropin_to_lib}/$<TARGET_SONAME_FILE_NAME:Quindel2> $<TARGET_FILE:Quindel2>
  COMMAND ${CMAKE_COMMAND} -E rm -f ${_dropin}.lock
  DEPENDS quindel-regsvr Quindel2 VERBATIM)
add_custom_target(quindel_dropin ALL DEPENDS ${_dropin})
install(FILES ${_dropin} DESTINATION ${CMAKE_INSTALL_DATADIR}/quindel/registry.d
        COMPONENT libquindel)

set(_pkg_src ${PROJECT_SOURCE_DIR}/packaging)
# Both dates follow SOURCE_DATE_EPOCH when it is set (reproducible packages).
string(TIMESTAMP QUINDEL_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
string(TIMESTAMP QUINDEL_RELEASE_DATE "%Y-%m-%d" UTC)

# The desktop's side of the viewer: menu entry, software-centre entry, MIME type, icons. The
# desktop's own triggers (menu, MIME database, icon cache) pick them up: no maintainer scripts.
if(TARGET quindel-viewer)
  configure_file(${_pkg_src}/org.quindel.Viewer.metainfo.xml
                 ${_pkg_dir}/org.quindel.Viewer.metainfo.xml @ONLY)
  set(_share ${CMAKE_INSTALL_DATADIR})
  install(FILES ${_pkg_src}/org.quindel.Viewer.desktop DESTINATION ${_share}/applications
          COMPONENT quindel-viewer)
  install(FILES ${_pkg_dir}/org.quindel.Viewer.metainfo.xml DESTINATION ${_share}/metainfo
          COMPONENT quindel-viewer)
  install(FILES ${_pkg_src}/quindel-mime.xml DESTINATION ${_share}/mime/packages
          RENAME quindel.xml COMPONENT quindel-viewer)
  install(FILES ${_pkg_src}/org.quindel.Viewer.svg
          DESTINATION ${_share}/icons/hicolor/scalable/apps COMPONENT quindel-viewer)
  install(FILES ${_pkg_src}/application-x-quindel-list.svg
          DESTINATION ${_share}/icons/hicolor/scalable/mimetypes COMPONENT quindel-viewer)
endif()

# Every package carries its copyright and changelog, as Debian asks.
set(QUINDEL_DEB_SOURCE quindel)
set(QUINDEL_DEB_VERSION ${PROJECT_VERSION}-1)
set(QUINDEL_DEB_MAINTAINER "Quindel developers <quindel@users.noreply.github.com>")
configure_file(${_pkg_src}/changelog.Debian.in ${_pkg_dir}/changelog.Debian @ONLY)
find_program(QUINDEL_GZIP gzip REQUIRED)
# Compressed as Debian wants them (no name, no time stamp: the same bytes every time); the copy
# makes CMake run again when the source changes.
function(_quindel_gzip source copy)
  configure_file(${source} ${copy} COPYONLY)
  execute_process(COMMAND ${QUINDEL_GZIP} -9nc ${copy} OUTPUT_FILE ${copy}.gz)
endfunction()
_quindel_gzip(${_pkg_dir}/changelog.Debian ${_pkg_dir}/doc/changelog.Debian)
foreach(_man quindel-viewer quindel-lua quindel-regsvr quindel-typelib quindel-build)
  _quindel_gzip(${_pkg_src}/man/${_man}.1 ${_pkg_dir}/man/${_man}.1)
endforeach()
if(TARGET quindel-viewer)
  install(FILES ${_pkg_dir}/man/quindel-viewer.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT quindel-viewer)
endif()
install(FILES ${_pkg_dir}/man/quindel-lua.1.gz ${_pkg_dir}/man/quindel-regsvr.1.gz
              ${_pkg_dir}/man/quindel-typelib.1.gz ${_pkg_dir}/man/quindel-build.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT quindel-tools)
foreach(_p ${_quindel_packages})
  set(_name ${_p})
  if(_p STREQUAL "libquindel")
    set(_name libquindel${_quindel_soversion})
  endif()
  install(FILES ${_pkg_src}/copyright ${_pkg_dir}/doc/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${_name} COMPONENT ${_p})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quindel)
set(CPACK_PACKAGE_VENDOR "Quindel developers")
set(CPACK_PACKAGE_CONTACT "${QUINDEL_DEB_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${_pkg_dir}/debs)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${_quindel_packages})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries are found in the build; the packages' dependencies on each other are declared.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/quindel/quindel")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

function(_quindel_package name section summary)
  string(TOUPPER ${name} _up)
  list(JOIN ARGN "\n" _long)
  set(CPACK_DEBIAN_${_up}_PACKAGE_NAME ${name} PARENT_SCOPE)
  set(CPACK_DEBIAN_${_up}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_COMPONENT_${_up}_DESCRIPTION "${summary}\n${_long}" PARENT_SCOPE)
endfunction()
_quindel_package(libquindel libs "embeddable multimedia reference panel - runtime libraries"
  "Quindel is a control panel that a host program embeds to step through the"
  "multimedia objects of a reference article: pictures, maps, panoramas,"
  "animations, films, sounds and texts." "."
  "This package holds the component library, its runtime and platform"
  "libraries, the host kit, the message catalogue and the component's"
  "registration.")
_quindel_package(libquindel-dev libdevel "embeddable multimedia reference panel - development files"
  "Quindel is a control panel that a host program embeds to step through the"
  "multimedia objects of a reference article." "."
  "This package holds the public headers and the CMake and pkg-config files"
  "a host program builds against.")
_quindel_package(quindel-viewer education "multimedia reference article viewer"
  "The viewer shows a reference article with the Quindel panel that steps"
  "through its pictures, maps, panoramas, animations, films, sounds and"
  "texts. It opens its sample article, any content folder, or a content"
  "folder's list file.")
_quindel_package(quindel-tools devel "embeddable multimedia reference panel - tools"
  "Tools for the Quindel panel: the Lua host that scripts the component,"
  "the registration tool and the type library writer, with example scripts.")
_quindel_package(quindel-sample education "sample article for the Quindel viewer"
  "A sample reference article with its multimedia objects, opened by the"
  "Quindel viewer when no other content is given and used by the examples.")
set(CPACK_DEBIAN_QUINDEL-SAMPLE_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_QUINDEL-SAMPLE_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_LIBQUINDEL-DEV_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_LIBQUINDEL_PACKAGE_NAME libquindel${_quindel_soversion})
# The loader's cache is rebuilt by libc's trigger.
set(CPACK_DEBIAN_LIBQUINDEL_PACKAGE_CONTROL_EXTRA ${_pkg_src}/triggers)
set(CPACK_COMPONENT_LIBQUINDEL-DEV_DEPENDS libquindel)
set(CPACK_COMPONENT_QUINDEL-VIEWER_DEPENDS libquindel)
set(CPACK_COMPONENT_QUINDEL-TOOLS_DEPENDS libquindel)
set(CPACK_DEBIAN_QUINDEL-VIEWER_PACKAGE_RECOMMENDS quindel-sample)
set(CPACK_DEBIAN_QUINDEL-TOOLS_PACKAGE_SUGGESTS quindel-sample)
include(CPack)

# The packages as a person uses them (scripts/package-test.sh): it installs into /usr, so it runs
# only as root with QUINDEL_PACKAGE_TEST=1 and is skipped otherwise.
add_test(NAME debian_packages COMMAND ${PROJECT_SOURCE_DIR}/scripts/package-test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(debian_packages PROPERTIES LABELS package SKIP_RETURN_CODE 77 RUN_SERIAL TRUE
                                                TIMEOUT 900)
