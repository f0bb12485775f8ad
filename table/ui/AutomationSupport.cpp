#include "table/ui/AutomationSupport.h"

#include "table/ui/AutomationMessages.h"

COleVariant OmittedArgument()
{
    return COleVariant(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
}

std::wstring ExceptionText(CException* e)
{
    TCHAR text[AutomationMessages::ExceptionTextLimit + 1] = {};
    e->GetErrorMessage(text, AutomationMessages::ExceptionTextLimit + 1);
    return text;
}
