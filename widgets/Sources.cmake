# Editor widgets: the portable geometry of the child layout and the splitter.
list(APPEND QOR_PORTABLE_SOURCES
  widgets/ChildLayoutGeometry.cpp
  widgets/SplitterGeometry.cpp
  widgets/GridGeometry.cpp widgets/GridSelection.cpp widgets/GridFind.cpp
  widgets/EditListGeometry.cpp
)
