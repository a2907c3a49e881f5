# Installs the library as a CMake package: a host writes
#   find_package(QorDictionary CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE QorDictionary::QorDictionary)
include(CMakePackageConfigHelpers)

set(QOR_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QorDictionary)

install(TARGETS QorDictionary EXPORT QorDictionaryTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# Headers keep their folders, since they include each other as "base/...".
# Hosts reach into most of them (dialogs, windows, resource ids), so every
# header of the library's folders is public; natively only the portable ones,
# as the rest need windows.h.
if(WIN32)
  set(QOR_PUBLIC_HEADER_DIRS base model sheets checks catalogs widgets editor pages host framework translate resources)
else()
  set(QOR_PUBLIC_HEADER_DIRS base model sheets checks catalogs widgets editor pages host/resmodule host/thread)
endif()
foreach(dir ${QOR_PUBLIC_HEADER_DIRS})
  if(WIN32)
    install(DIRECTORY ${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir} FILES_MATCHING PATTERN "*.h")
  else()
    install(DIRECTORY ${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir} FILES_MATCHING PATTERN "*.h"
            PATTERN win EXCLUDE PATTERN QorDictManager.h EXCLUDE)
  endif()
endforeach()
if(WIN32)
  # The contract a function-diagram plug-in is written against.
  install(FILES plugins/FunctionDiagramPlugin.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plugins)
endif()

install(EXPORT QorDictionaryTargets NAMESPACE QorDictionary:: DESTINATION ${QOR_PACKAGE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QorDictionaryConfig.cmake.in
  ${CMAKE_BINARY_DIR}/cmake-package/QorDictionaryConfig.cmake
  INSTALL_DESTINATION ${QOR_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/cmake-package/QorDictionaryConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/cmake-package/QorDictionaryConfig.cmake
              ${CMAKE_BINARY_DIR}/cmake-package/QorDictionaryConfigVersion.cmake
        DESTINATION ${QOR_PACKAGE_DIR})
