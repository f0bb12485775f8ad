// Umbrella header of the class framework: include this one.
#pragma once

// Window-free half.
#include "framework/AfxDefs.h"
#include "framework/AfxObject.h"
#include "framework/AfxString.h"
#include "framework/AfxGeometry.h"
#include "framework/AfxException.h"
#include "framework/AfxCmdTarget.h"
#include "framework/AfxWinApp.h"
#include "framework/AfxRecentFileList.h"
#include "framework/AfxFile.h"
#include "framework/AfxArchive.h"
#include "framework/AfxTempl.h"
#include "framework/AfxColl.h"
#include "framework/AfxOle.h"

// Window half (add below).
#include "framework/AfxIds.h"
#include "framework/AfxMsgMap.h"
#include "framework/AfxThread.h"
#include "framework/AfxWnd.h"
#include "framework/AfxGdi.h"
#include "framework/AfxMenu.h"
#include "framework/AfxFrame.h"
#include "framework/AfxMdi.h"
#include "framework/AfxDocTemplate.h"
#include "framework/AfxDialog.h"
#include "framework/AfxDDX.h"
#include "framework/AfxAppUI.h"
