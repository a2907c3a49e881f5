# The editor pages' portable rules: the settings page's languages and the word
# pages' cells, edits and searches.
list(APPEND QOR_PORTABLE_SOURCES
  pages/LanguageSettingsRules.cpp
  pages/WordPageRules.cpp
)
