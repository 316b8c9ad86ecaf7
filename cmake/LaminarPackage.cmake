# One Debian package, laminar, with the runtime and the development files:
#   cpack --config build/CPackConfig.cmake -G DEB   (or scripts/package.sh)
# Its dependencies are read off the shared libraries it ships by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME laminar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "layer-stackup editor component for printed-circuit boards")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Laminar is a shared library that a host design application loads to let"
  "its users edit the layer stackups of printed-circuit boards. This package"
  "holds the library, its C++ header, a reference impedance calculator, a"
  "CMake package and pkg-config files for hosts, the laminar example host,"
  "the documentation and examples.")
set(CPACK_PACKAGE_CONTACT "Laminar developers <maintainers@laminar.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The example host needs the component from the same package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
include(CPack)
