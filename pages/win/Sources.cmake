# The editor's pages: the settings page and the two word pages, with their
# workbook exchange and gathering of words.
list(APPEND QOR_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DictionaryPage1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DictListCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FunctionDiagramUpdate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResourceGathering.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VirtualGridCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordSheetExchange.cpp
)
