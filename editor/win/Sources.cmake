# The dictionary editor's windows: the facade a host calls, the main dialog,
# the word and language dialogs.
list(APPEND QOR_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/QorDictManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DictionaryDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DictionarySave.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewWordDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageDialog.cpp
)
