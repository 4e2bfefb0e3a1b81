// The program's entry point, linked into every program built on the framework.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    return AfxWinMain(hInstance);
}
