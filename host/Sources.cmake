# The interfaces of the host's libraries that the editor calls: help service,
# utility library, progress window.
list(APPEND QOR_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/COleVariant.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HtmlHelpLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QorHelper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QorUtility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlanTaskWndExPort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpTopics.rc
)
list(APPEND QOR_WIN_LIBS advapi32 oleaut32)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/HelpTopics.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/HelpTopics.txt)
# The host's control library: dialog base and visual style.
list(APPEND QOR_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ui/VarnPDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/VarnPVisualManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/VarnPGridCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/VarnPListCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/VarnPEdit.cpp
)
list(APPEND QOR_WIN_LIBS comdlg32)  # the grid's find dialog
