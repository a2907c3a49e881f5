# Translation catalogues: GNU gettext PO and XLIFF 2.0 files written and read
# for translators' tools, merged by the workbook import's rules.
list(APPEND QOR_PORTABLE_SOURCES
  catalogs/Catalog.cpp
  catalogs/CatalogExchange.cpp
  catalogs/CatalogLanguage.cpp
  catalogs/PoReader.cpp
  catalogs/PoWriter.cpp
  catalogs/PrintfFormat.cpp
  catalogs/XliffReader.cpp
  catalogs/XliffWriter.cpp
)
