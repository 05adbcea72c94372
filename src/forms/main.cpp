// Delphi Tavrill: a floating tool bar that rewrites the selection of the IDE's
// code editor. The command line is not read.

#include <windows.h>

#include "forms/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tavrill::Application app;
    return app.Run();
}
