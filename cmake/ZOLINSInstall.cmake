# Installation: library with its SONAME, public headers, CMake package and pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS ZOLINSTocLib EXPORT ZOLINSTocLibTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")
install(EXPORT ZOLINSTocLibTargets NAMESPACE ZOLINSTocLib::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ZOLINSTocLib)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ZOLINSTocLibConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ZOLINSTocLibConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ZOLINSTocLib)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ZOLINSTocLibConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ZOLINSTocLibConfig.cmake
  ${PROJECT_BINARY_DIR}/ZOLINSTocLibConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ZOLINSTocLib)

# The .pc file finds its prefix from where it lies, so that `cmake --install --prefix` anywhere works.
file(RELATIVE_PATH ZOLINS_PC_TO_PREFIX "${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig"
  "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "/$" "" ZOLINS_PC_TO_PREFIX "${ZOLINS_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/ZOLINSTocLib.pc.in
  ${PROJECT_BINARY_DIR}/ZOLINSTocLib.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/ZOLINSTocLib.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
