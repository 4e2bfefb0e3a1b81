// Controls of the main dialog (template 102).
#pragma once

#define IDC_MAIN_INSTALL 1004
#define IDC_MAIN_READ_NFO 1005
#define IDC_MAIN_APP_INFO 1015
