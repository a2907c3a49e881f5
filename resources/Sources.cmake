# The library's own resources (string table, dialog templates, icons) and the
# module start-up that makes them findable.
enable_language(RC)
file(GLOB QOR_RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.rc)
list(APPEND QOR_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DictionaryApp.cpp
  ${QOR_RESOURCE_SCRIPTS}
)
# The icons are read by the resource compiler, which does not report them as
# dependencies itself.
file(GLOB QOR_RESOURCE_ICONS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/icons/*.ico)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Dialogs.rc PROPERTIES
  OBJECT_DEPENDS "${QOR_RESOURCE_ICONS}")
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Cursors.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/icons/HSplitBar.cur)
