// CCmdTarget: base of the application and window classes. The window half adds command
// routing and message maps here.
#pragma once

#include "framework/AfxObject.h"

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;
};
