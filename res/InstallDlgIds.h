// Control IDs of the Install dialog (template 132). Plain #defines so the resource script
// can include this file too. The same numbers mean other controls in other dialogs.
#pragma once

#define IDC_INSTALL_SET_FOLDER 1007
#define IDC_INSTALL_FOLDER 1006
#define IDC_INSTALL_START 1004
#define IDC_INSTALL_STATUS_FILE 1009
#define IDC_INSTALL_STATUS_ARCHIVE 1010
#define IDC_INSTALL_PROGRESS 1016
