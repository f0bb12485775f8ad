// The dialog template of the dialog-bar tests and its controls.
#pragma once

#define IDD_TEST_DIALOGBAR 3100
#define IDC_TEST_EDIT      3101
#define IDC_TEST_BUTTON    3102
#define IDD_TEST_MISSING   3199
