// What the parts of the main window share: the application's services, the
// language texts, the skin, the canvases, the window itself and, once the
// device side runs, the lighting model and the configuration sync.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "app/settings/language_texts.h"
#include "app/startup/app_services.h"
#include "model/lighting/lighting_model.h"
#include "model/sync/config_sync.h"
#include "ui/main/main_canvases.h"
#include "ui/main/main_window_actions.h"
#include "ui/main/responsive_wait.h"

namespace kv::ui {

struct MainContext {
    app::AppServices& app;
    const app::LanguageTexts& texts;
    const MainCanvases& canvases;
    std::wstring skin;  // "Skins\Main.ini"
    MainWindowActions& window;
    HWND hwnd = nullptr;  // from the start of the initialisation on

    // Built by the initialisation once the device side runs; the sync is read
    // from notifier threads too.
    model::LightingModel* lighting = nullptr;
    std::atomic<model::ConfigSync*> sync{nullptr};
    // The wait of the window's own keyboard exchanges.
    const ResponsiveWait* wait = nullptr;

    // A keyboard exchange of the window's thread is pumping messages: what
    // arrives now must not start anything of its own.
    bool ExchangePumping() const { return wait && wait->Pumping(); }

    HWND Item(int id) const { return GetDlgItem(hwnd, id); }
    // Section "TEXT" of the current language; "#Error" when missing.
    std::wstring Text(const wchar_t* key) const { return texts.Get(L"TEXT", key); }
    std::wstring Text(const wchar_t* section, const wchar_t* key) const { return texts.Get(section, key); }
};

}  // namespace kv::ui
