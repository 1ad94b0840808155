// Where the per-user settings live: "wskb.ini" in the folder "QX5307" of the
// local application-data folder. The main window computes it once it exists
// (the shell gets it as owner); until then the location is empty.
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "model/sync/sync_host.h"

namespace kv::app {

class UserSettingsLocation : public model::UserFolder {
  public:
    // Computes the file name and creates its folder when missing.
    void Compute(HWND owner);
    // Empty until computed (or when the shell names no base folder).
    std::wstring IniFile() const;

    // The folder of the settings file, which also holds the working profile
    // file; computed on first use when still unknown.
    std::filesystem::path Path() const override;

  private:
    std::atomic<std::shared_ptr<const std::wstring>> ini_{std::make_shared<const std::wstring>()};
};

}  // namespace kv::app
