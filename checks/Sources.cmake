# Translation checks, coverage figures and the pseudo-language, on the model
# only: the tool and the editor share them.
list(APPEND QOR_PORTABLE_SOURCES
  checks/DictionaryCheck.cpp
  checks/PseudoLanguage.cpp
  checks/PseudoText.cpp
  checks/TranslationCheck.cpp
  checks/TranslationStats.cpp
  checks/UiTextTokens.cpp
)
