# The editor pages' portable rules: the settings page's languages and the word
# pages' cells, edits and searches, and how gathered texts join a dictionary.
list(APPEND QOR_PORTABLE_SOURCES
  pages/LanguageSettingsRules.cpp
  pages/WordPageRules.cpp
  pages/WordCellCheck.cpp
  pages/GatherRules.cpp
  pages/WordGathering.cpp
)
