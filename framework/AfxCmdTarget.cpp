#include "framework/AfxCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
