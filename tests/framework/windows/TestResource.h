// Resource ids of the window tests.
#pragma once

#define IDR_TESTMAIN        100
#define IDR_TESTCHILD       101

#define ID_TEST_PROBE       32801
#define ID_TEST_CHECKED     32802
#define ID_TEST_DISABLED    32803
#define ID_TEST_NOHANDLER   32804
#define ID_TEST_RENAMED     32805
#define ID_TEST_REFUSED     32806
#define ID_TEST_RADIO       32807

#define IDD_TEST_DIALOG     200
#define IDD_TEST_PAGE1      201
#define IDD_TEST_PAGE2      202
#define IDD_TEST_ABOUT      203

#define IDC_NAME            1001
#define IDC_COUNT           1002
#define IDC_FLAG            1003
#define IDC_RADIO1          1004
#define IDC_RADIO2          1005
#define IDC_RADIO3          1006
#define IDC_CHOICE          1007
#define IDC_PAGE_CHECK      1010
#define IDC_PAGE_EDIT       1011
