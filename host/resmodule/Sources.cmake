# The host's resource enumerator: a portable reader of PE files' resources.
list(APPEND QOR_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PeImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResourceTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QorResModuleManager.cpp
)
