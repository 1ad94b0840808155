// Entry point of Kelvarin.exe.
#include <windows.h>

#include "app/startup/app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        kv::app::CKelvarinApp app;
        return app.Run(instance);
    } catch (...) {
        return 0;  // start-up failures end the program silently
    }
}
