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

long WholePoints(int32_t hundredths, long largest)
{
    if (hundredths < 100 || (static_cast<int64_t>(hundredths) + 50) / 100 > largest)
        return 0;
    return (hundredths + 50) / 100;
}
