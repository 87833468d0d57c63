// Resource numbers shared by the resource script and the code.
#pragma once

#define IDI_KORVA 1
#define IDB_PICTURE 100 // the picture at 200%
#define IDB_FOLDER 101  // the browse buttons' glyph at 100%
#define IDB_FOLDER_DISABLED 102
#define IDB_FOLDER_2X 103 // and at 200%
#define IDB_FOLDER_DISABLED_2X 104
