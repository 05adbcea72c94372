// Delphi Tavrill: a floating tool bar that rewrites the selection of the IDE's
// code editor. The command line is not read.

#include <windows.h>

#include <exception>

#include "forms/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        tavrill::Application app;
        return app.Run();
    } catch (const std::exception& e) {
        // Start-up could not make a window: say why and stop.
        tavrill::Form::ShowErrorBox(e.what());
        return 1;
    }
}
