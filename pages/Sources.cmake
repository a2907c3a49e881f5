# The editor pages' portable rules: seeding, deleting and choosing languages.
list(APPEND QOR_PORTABLE_SOURCES
  pages/LanguageSettingsRules.cpp
)
