# The dictionary editor's windows: the facade a host calls, the main dialog
# and the word dialog.
list(APPEND QOR_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/QorDictManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DictionaryDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DictionarySave.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewWordDialog.cpp
)
