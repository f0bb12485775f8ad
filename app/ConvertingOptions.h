#pragma once
// The options record of the running program. Stored in the user's profile by a later step; the
// two installed flags are found at start-up and never stored.
#include <string>

#include "table/LayoutShell.h"

struct ConvertingOptions : LayoutOptions
{
    // Sets the installed flags from the class keys "Excel.Application" and "Word.Application".
    void ReadInstalledApplications();
    static bool IsClassRegistered(const wchar_t* progId);
};
