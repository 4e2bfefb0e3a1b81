// Controls of the About box (template 100).
#pragma once

#define IDC_ABOUT_TEXT 1015
