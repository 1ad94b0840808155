// Entry point of Kelvarin.exe: puts the application object and the main
// window together.
#include <windows.h>

#include <memory>

#include "app/startup/app.h"
#include "ui/kit/image_file.h"
#include "ui/main/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        kv::ui::EnsureGdiplus();
        kv::app::CKelvarinApp app([](kv::app::AppServices& services) -> std::unique_ptr<kv::app::MainWindow> {
            return std::make_unique<kv::ui::CKelvarinDlg>(services);
        });
        return app.Run(instance);
    } catch (...) {
        return 0;  // start-up failures end the program silently
    }
}
