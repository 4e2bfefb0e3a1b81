// Controls of the New Folder dialog (template 134).
#pragma once

#define IDC_FOLDER_NAME_EDIT 1013
