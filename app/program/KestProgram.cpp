// The desktop program: its one application object and the entry that runs it.
#include "app/CDCApp.h"
#include "framework/AfxAppUI.h"

CCDCApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand)
{
    return AfxWinMain(instance, previous, ::GetCommandLineW(), showCommand);
}
