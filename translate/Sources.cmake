# Runtime translation of real windows, menus and toolbars, and the editor's
# text helpers: every source file of the folder.
file(GLOB QOR_TRANSLATE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(APPEND QOR_WIN_SOURCES ${QOR_TRANSLATE_SOURCES})
list(APPEND QOR_WIN_LIBS comctl32 gdi32 user32)
