#pragma once
// Resources of the customization tests.
#define IDD_TEST_KEYS       4100
#define IDC_TEST_PLAIN_EDIT 4101
#define IDC_TEST_KEY_EDIT   4102
#define IDR_TEST_MAINFRAME  4110
#define IDR_TEST_DOCTYPE    4111
#define ID_TEST_CMD_NEW     34001
#define ID_TEST_CMD_OPEN    34002
#define ID_TEST_CMD_HELP    34003
#define IDR_TEST_NOFILTER   4112
#define IDR_TEST_LAYOUT     4113
#define IDR_TEST_CONTEXT    4114
#define ID_TEST_CMD_SAVEAS  34004
#define ID_TEST_CMD_NOTEXT  34005
#define ID_TEST_CMD_CUT     34006
