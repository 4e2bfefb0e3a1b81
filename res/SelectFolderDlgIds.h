// Controls of the Select Folder dialog (template 133).
#pragma once

#define IDC_SELECT_TREE 1010
#define IDC_SELECT_OK 1012
#define IDC_SELECT_CREATE_FOLDER 1014
