# The editor widgets' window classes.
list(APPEND QOR_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ChildLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StackedDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XSplitterWnd.cpp
)
