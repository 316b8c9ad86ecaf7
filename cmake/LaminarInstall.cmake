# What `cmake --install` puts under a prefix. Every path is relative to the
# prefix, so an installed tree works wherever it is moved:
#   Runtime      the component, the example host, the docs and the examples
#   Development  the headers, the development link, the reference impedance
#                calculator (a static library), the CMake package, the .pc files
include(CMakePackageConfigHelpers)

set(LAMINAR_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Laminar)
set(LAMINAR_DATA_DIR ${CMAKE_INSTALL_DATADIR}/laminar)

install(TARGETS laminar EXPORT LaminarTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)

# Libraries a host may link alone; each brings its header as a file set.
function(laminar_install_host_library target)
  install(TARGETS ${target} EXPORT LaminarTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
    FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)
endfunction()

laminar_install_host_library(laminar_z0calc)

# The example host finds the component beside it wherever the tree lies.
file(RELATIVE_PATH laminar_bin_to_lib /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
set_target_properties(laminar_host PROPERTIES INSTALL_RPATH "$ORIGIN/${laminar_bin_to_lib}")
install(TARGETS laminar_host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)

install(EXPORT LaminarTargets NAMESPACE Laminar:: DESTINATION ${LAMINAR_CMAKE_DIR} COMPONENT Development)
configure_package_config_file(cmake/LaminarConfig.cmake.in ${PROJECT_BINARY_DIR}/LaminarConfig.cmake
  INSTALL_DESTINATION ${LAMINAR_CMAKE_DIR} NO_SET_AND_CHECK_MACRO NO_CHECK_REQUIRED_COMPONENTS_MACRO)
# A new major version is a new ABI (docs/host-integration.md).
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LaminarConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/LaminarConfig.cmake ${PROJECT_BINARY_DIR}/LaminarConfigVersion.cmake
  DESTINATION ${LAMINAR_CMAKE_DIR} COMPONENT Development)

# laminar.pc finds the prefix from its own folder, so it moves with the tree.
file(RELATIVE_PATH LAMINAR_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" LAMINAR_PC_TO_PREFIX "${LAMINAR_PC_TO_PREFIX}")
foreach(pc laminar laminar-z0calc)
  configure_file(cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)
endforeach()

install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Runtime)
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Runtime)
install(DIRECTORY examples/ DESTINATION ${LAMINAR_DATA_DIR}/examples COMPONENT Runtime)
