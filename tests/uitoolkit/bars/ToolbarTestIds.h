#pragma once
// Resource ids of the toolbar tests: a toolbar resource with its bitmap, a second one sharing a
// command, and the commands' prompt strings.
#define IDR_TEST_TOOLBAR 300
#define IDR_TEST_TOOLBAR2 301
#define IDR_TEST_TOOLBAR_SEPFIRST 302
#define IDR_TEST_TOOLBAR_LOCKED 303
#define ID_TEST_OPEN 32801
#define ID_TEST_SAVE 32802
#define ID_TEST_PRINT 32803
#define ID_TEST_CUT 32804
#define ID_TEST_PASTE 32805
#define ID_TEST_NOTEXT 32806
#define ID_TEST_AMP 32807
