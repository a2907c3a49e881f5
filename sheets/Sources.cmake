# Workbook exchange: .xlsx and .csv files written and read without any
# spreadsheet program, on zlib.
list(APPEND QOR_PORTABLE_SOURCES
  sheets/CellReference.cpp
  sheets/CsvReader.cpp
  sheets/CsvWriter.cpp
  sheets/OoxmlText.cpp
  sheets/SheetCells.cpp
  sheets/SheetData.cpp
  sheets/WordSheetExporter.cpp
  sheets/WordSheetImporter.cpp
  sheets/WordMerge.cpp
  sheets/WordSheetLayout.cpp
  sheets/WorkbookFile.cpp
  sheets/WorkbookPackage.cpp
  sheets/XlsxReader.cpp
  sheets/XlsxWriter.cpp
  sheets/XmlScanner.cpp
  sheets/ZipPartReader.cpp
  sheets/ZipReader.cpp
  sheets/ZipWriter.cpp
)

# The library target is made after the source lists are read, so the link is
# deferred to the end of the top-level directory.
if(WIN32)
  # Linked statically into the DLL: no zlib1.dll to ship or to find under Wine.
  find_library(QOR_ZLIB_STATIC NAMES libz.a REQUIRED)
  find_path(QOR_ZLIB_INCLUDE zlib.h REQUIRED)
  cmake_language(DEFER CALL target_link_libraries QorDictionary PRIVATE ${QOR_ZLIB_STATIC})
  cmake_language(DEFER CALL target_include_directories QorDictionary PRIVATE ${QOR_ZLIB_INCLUDE})
else()
  find_package(ZLIB REQUIRED)
  cmake_language(DEFER CALL target_link_libraries QorDictionary PRIVATE ZLIB::ZLIB)
endif()
