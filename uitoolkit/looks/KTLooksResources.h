#pragma once
// Resource ids of the looks. The program (and every test program that draws glyphs) links
// the looks' resource script, named by the CMake variable KEST_LOOKS_RC.

// The 42 menu glyphs, 9 x 9 each, 4 bits per pixel on magenta.
#define IDB_KT_MENU_IMAGES 16129
