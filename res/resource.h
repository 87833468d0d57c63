// Resource numbers shared by the resource script and the code.
#pragma once

#define IDI_KORVA 1
#define IDB_PICTURE 100
#define IDB_FOLDER 101
#define IDB_FOLDER_DISABLED 102
