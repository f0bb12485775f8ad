#pragma once
// Resource identifiers of the program's dialogs and context menus.
#define IDD_CONVERSION_PAGES    2100
#define IDC_CURRENT_PAGE_ONLY   2101
#define IDC_PAGES               2103
#define IDC_PAGE_LIST           2104
#define IDC_PAGE_COUNT          2105
#define IDC_DONT_ASK_AGAIN      2106
#define IDC_PAGES_HELP          2107
#define IDD_PAGE_RANGE          2108
#define IDD_STRING              20001
#define IDC_STRING_EDIT         20002
#define IDC_STRING_MULTILINE    20004
#define IDR_MENU_COPY_TEXT      2044
#define IDR_MENU_ROWS_AND_CELLS 2045
#define IDR_MENU_COLUMNS        2046
