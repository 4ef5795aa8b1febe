#pragma once
// Shared by the .rc script and the program: keep to plain #defines.
#define IDI_QUILLDECK 1
#define IDB_GLYPH_ADD 101
#define IDB_GLYPH_EDIT 102
#define IDB_GLYPH_DELETE 103
#define IDB_GLYPH_OPTIONS 104
#define IDB_GLYPH_MENU 105
#define IDB_GLYPH_EXIT 106
// The same glyphs for larger scales: 1.5 times at the 1x id plus 100, twice
// at the 1x id plus 200.
#define IDB_GLYPH_SCALE_STEP 100
#define IDB_GLYPH_ADD_150 201
#define IDB_GLYPH_EDIT_150 202
#define IDB_GLYPH_DELETE_150 203
#define IDB_GLYPH_OPTIONS_150 204
#define IDB_GLYPH_MENU_150 205
#define IDB_GLYPH_EXIT_150 206
#define IDB_GLYPH_ADD_200 301
#define IDB_GLYPH_EDIT_200 302
#define IDB_GLYPH_DELETE_200 303
#define IDB_GLYPH_OPTIONS_200 304
#define IDB_GLYPH_MENU_200 305
#define IDB_GLYPH_EXIT_200 306
