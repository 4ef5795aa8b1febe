#pragma once
// Shared by the .rc script and the program: keep to plain #defines.
#define IDI_QUILLDECK 1
#define IDB_GLYPH_ADD 101
#define IDB_GLYPH_EDIT 102
#define IDB_GLYPH_DELETE 103
#define IDB_GLYPH_OPTIONS 104
#define IDB_GLYPH_MENU 105
#define IDB_GLYPH_EXIT 106
