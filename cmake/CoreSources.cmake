# The dictionary core: the framework stand-ins of base/ and the model.
# On Windows it is QorDictionary.dll; natively a static library of the same name.
set(QOR_BASE_SOURCES
  base/CString.cpp
  base/LoadArena.cpp
  base/FoldedTextHash.cpp
  base/CStringFormat.cpp
  base/Utf.cpp
  base/COleDateTime.cpp
  base/CArchive.cpp
  base/MemFile.cpp
  base/FileOverwrite.cpp
  base/WholeFile.cpp
)
if(WIN32)
  list(APPEND QOR_BASE_SOURCES
    base/win/FileWin.cpp
    base/win/FontHandleWin.cpp
    base/win/AnsiCodePageWin.cpp
  )
else()
  list(APPEND QOR_BASE_SOURCES
    base/FilePosix.cpp
    base/FontHandlePortable.cpp
    base/AnsiCodePagePortable.cpp
  )
endif()

set(QOR_MODEL_SOURCES
  model/QorDictWordElement.cpp
  model/WordIndex.cpp
  model/DictionaryWordList.cpp
  model/QorDictionaryWord.cpp
  model/LanguageDictionary.cpp
  model/QorLanguageDict.cpp
  model/QorDictionaryManager.cpp
  model/RetiredDictionary.cpp
  model/MissRecorder.cpp
  model/TextListFile.cpp
  model/LocaleNames.cpp
)

# Portable subsystems that build on both targets add themselves here.
set(QOR_PORTABLE_SOURCES)
foreach(dir sheets checks catalogs widgets editor pages host/resmodule host/thread)
  include(${PROJECT_SOURCE_DIR}/${dir}/Sources.cmake OPTIONAL)
endforeach()

if(WIN32)
  # The Windows-only subsystems: each folder lists its files in Sources.cmake
  # (appending to QOR_WIN_SOURCES and, for libraries, QOR_WIN_LIBS).
  set(QOR_WIN_SOURCES)
  set(QOR_WIN_LIBS)
  foreach(dir framework translate resources host widgets/win editor/win pages/win)
    include(${PROJECT_SOURCE_DIR}/${dir}/Sources.cmake OPTIONAL)
  endforeach()
  add_library(QorDictionary SHARED ${QOR_BASE_SOURCES} ${QOR_MODEL_SOURCES} ${QOR_PORTABLE_SOURCES} ${QOR_WIN_SOURCES})
  target_compile_definitions(QorDictionary PRIVATE QORDICT_BUILDING_DLL)
  target_link_libraries(QorDictionary PUBLIC gdi32 user32 ${QOR_WIN_LIBS})
  set_target_properties(QorDictionary PROPERTIES PREFIX "" IMPORT_PREFIX "lib")
else()
  add_library(QorDictionary STATIC ${QOR_BASE_SOURCES} ${QOR_MODEL_SOURCES} ${QOR_PORTABLE_SOURCES})
endif()
target_include_directories(QorDictionary PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
                                                 $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
