// Resources of the framework tests' own dialog.
#pragma once

#define IDD_TEST_DIALOG 200
#define IDC_TEST_EDIT 300
#define IDC_TEST_BUTTON 301
#define IDC_TEST_OTHER_BUTTON 302
#define IDC_TEST_NOTIFIER 303
#define IDS_TEST_PRESENT 400
#define IDS_TEST_MISSING 401
