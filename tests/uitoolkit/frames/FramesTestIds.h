#pragma once
// Resource ids of the frame tests: the main frame's menu and accelerators, a document menu with a
// submenu two levels deep, a toolbar.
#define IDR_FRAMES_MAIN         400
#define IDR_FRAMES_DOC          401
#define IDR_FRAMES_TOOLBAR      402
#define ID_FRAMES_NEW           33001
#define ID_FRAMES_OPEN          33002
#define ID_FRAMES_EXIT          33003
#define ID_FRAMES_HELP          33004
#define ID_FRAMES_COPY          33005
#define ID_FRAMES_PASTE         33006
#define ID_FRAMES_LEAF          33007
#define ID_FRAMES_CLOSE         33008
#define ID_FRAMES_WINDOWS       33009
#define ID_FRAMES_USERBAR_FIRST 33100
#define ID_FRAMES_USERBAR_LAST  33109
