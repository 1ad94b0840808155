// kvcli: Kelvarin's configuration from the command line. Everything but the
// Win32 plumbing (arguments, console, loading HidServ.dll, the running-program
// check) is in cli/ and runs natively in tests.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/language.h"
#include "app/settings/language_texts.h"
#include "app/startup/device_host.h"
#include "app/startup/paths.h"
#include "cli/cli_run.h"

namespace {

// The program creates it at start and holds it while it runs (see the main
// window's single-instance check): two programs must not talk to the keyboard
// at once.
constexpr wchar_t kProgramMutexName[] = L"PL27M03C";

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

bool ProgramRunning() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kProgramMutexName);
    if (mutex) {
        CloseHandle(mutex);
        return true;
    }
    // It exists but belongs to someone we may not open it for.
    return GetLastError() == ERROR_ACCESS_DENIED;
}

class Win32Keyboard final : public kv::cli::KeyboardAccess, public kv::device::NotificationSink {
  public:
    explicit Win32Keyboard(std::wstring folder) : folder_(std::move(folder)) {}

    kv::device::Commands* Open(int* exit_code, std::string* message) override {
        if (ProgramRunning()) {
            *exit_code = kv::cli::kExitBusy;
            *message =
                "Kelvarin is running and talks to the keyboard; exit it (tray menu: Exit) and try again";
            return nullptr;
        }
        host_ = std::make_unique<kv::app::DeviceHost>();
        const std::wstring library = folder_ + kv::app::kDeviceLibraryName;
        if (host_->Bind(library.c_str()) != kv::app::DeviceHost::BindResult::kOk) {
            *exit_code = kv::cli::kExitNoKeyboard;
            *message = "HidServ.dll could not be loaded from " + Utf8(folder_.c_str());
            return nullptr;
        }
        host_->Start(*this);
        if (host_->DeviceCount() == 0) {
            *exit_code = kv::cli::kExitNoKeyboard;
            *message = "no keyboard found";
            return nullptr;
        }
        return &host_->Commands();
    }

    // A command-line run reads the keyboard once, by itself; notifications change nothing.
    void StartReadBack(int) override {}
    void LayerChanged(int) override {}
    void LightingChanged() override {}
    void KeyboardBusy(bool) override {}

  private:
    std::wstring folder_;
    std::unique_ptr<kv::app::DeviceHost> host_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Output is UTF-8 and its lines end as the portable code writes them.
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));

    const kv::app::AppPaths paths = kv::app::BuildAppPaths(kv::app::CurrentModulePath());
    // Messages in English, whatever language the program shows.
    const kv::app::LanguageSettings english(nullptr, [] { return kv::app::kLanguageEnglish; });
    const kv::app::LanguageTexts texts(paths.module_folder, english);

    int code = kv::cli::kExitBadInput;
    {
        Win32Keyboard keyboard(paths.module_folder);
        try {
            code = kv::cli::RunCli(args, keyboard, texts, std::cout, std::cerr);
        } catch (const std::exception& e) {
            std::cerr << "kvcli: " << e.what() << "\n";
        }
        std::cout.flush();
        std::cerr.flush();
    }
    return code;
}
