# The dictionary editor's portable rules: the built-in languages, the main
# dialog's geometry, the word-name check.
list(APPEND QOR_PORTABLE_SOURCES
  editor/BuiltInLanguageTable.cpp
  editor/DictionaryDialogLayout.cpp
  editor/NewWordRules.cpp
  editor/MessageText.cpp
)
