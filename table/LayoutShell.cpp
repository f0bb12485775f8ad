#include "table/LayoutShell.h"

namespace
{

LayoutShell* g_shell = nullptr;

} // namespace

LayoutShell* GetLayoutShell()
{
    return g_shell;
}

void SetLayoutShell(LayoutShell* shell)
{
    g_shell = shell;
}
