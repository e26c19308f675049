// What the process holds, counted from inside, so that a test can be judged by what it left
// behind. Under Wine 8 GetGuiResources and GetProcessHandleCount answer 0, so the counts come from
// the tables Wine keeps in the process (docs/wine-notes.md):
//   printer handles     the spooler client's own numbers 1, 2, ... up to 1024, each asked for a
//                       printer data value: a live handle answers "not found";
//   kernel handles      the system's handle list filtered to the process, by object type
//                       ("Key": an open registry key);
//   GDI objects         the live entries of the GDI handle table the process maps, by type;
//   user objects        windows (top-level and message-only with all their children), and the
//                       menus, icons and accelerator tables found by trying every user handle
//                       number (Wine accepts one without its high word);
//   loaded modules      the loader's list, by name;
//   library references  the loader's count of each module (one per LoadLibrary not freed);
//   activation frames   the thread's activation stack (an activation context never released
//                       stays as process heap blocks);
//   heap blocks         in use, by size: the process heap (GlobalAlloc and LocalAlloc blocks
//                       too) and every other heap but the counting's own.
#pragma once

#include "counter_heap.h"

#include <string>
#include <vector>

// "kernel handles" and, for its kinds, "kernel handles: Key".
KindCounts TakeProcessCounts();

// What grew: "GDI objects +2 (font 2), kernel handles +1 (Key 1)"; an activation frame taken
// away counts too. The kinds and figures in `forgiven` ("process heap blocks: 24 bytes", "user
// objects") may grow up to their numbers. Empty when nothing grew.
std::string DescribeGrowth(const KindCounts& before, const KindCounts& after,
                           const KindCounts& forgiven = {});
