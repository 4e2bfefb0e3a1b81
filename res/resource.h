// Resource numbers of the program: dialog templates, strings and the picture. Control IDs are
// in one header per dialog, since the same numbers mean different controls in different dialogs.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_INSTALLER_DIALOG 102
#define IDD_INSTALL_DIALOG 132
#define IDD_SELECT_FOLDER_DIALOG 133
#define IDD_FOLDER_NAME_DIALOG 134

#define IDS_ABOUTBOX 101
#define IDS_VERSION 102

#define IDB_RELEASE_PICTURE 137

// System-menu entry of the main dialog: a multiple of 16 below 0xF000, as the system requires.
#define IDM_ABOUTBOX 0x0010
