#pragma once

#include <windows.h>

// Live GDI objects of this process, counted one by one: every entry of the
// process's GDI handle table (reached through the PEB, on Windows and Wine
// alike) gives a candidate handle that counts only when GetObjectType
// accepts it. GetGuiResources is no help here: Wine answers 0.
int LiveGdiObjectCount();
// The windows of this thread, top-level and child.
int LiveWindowCount();
