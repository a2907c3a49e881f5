# The host's thread library: portable, on the standard library's threads.
list(APPEND QOR_PORTABLE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/QorThread.cpp)
