# The editor widgets' window classes.
list(APPEND QOR_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ChildLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StackedDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XSplitterWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListCtrlEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditListCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontEdit.cpp
)
# The font chooser of the font edit box.
list(APPEND QOR_WIN_LIBS comdlg32)
