#pragma once
// The status bar tests' indicator strings.
#define IDS_TEST_CAP     40001
#define IDS_TEST_NUM     40002
#define IDS_TEST_PAGE    40003
#define IDS_TEST_MISSING 40009
