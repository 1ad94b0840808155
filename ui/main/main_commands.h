// The main window's command buttons and menus: OK, Cancel, Apply, Default,
// the title strip (web links, help, backup/restore menu, minimise, close),
// the profile-manager and macro buttons, the version label; and the state
// behind the Apply button.
#pragma once

#include <windows.h>

#include <array>

#include "model/sync/sync_host.h"
#include "ui/kit/png_button.h"
#include "ui/main/main_context.h"
#include "ui/main/main_links.h"

namespace kv::ui {

class MainCommands : public model::PendingChanges {
  public:
    explicit MainCommands(MainContext& context) : context_(context) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void Attach();
    // Where "Import JSON…" reports and shows the lighting it wrote.
    void Connect(model::MessageSink& messages, model::LightingView& lighting_view) {
        messages_ = &messages;
        lighting_view_ = &lighting_view;
    }
    void ReadLinks() { links_ = MainLinks::Read(context_.skin); }
    // Placement, in the order the window dresses itself.
    void PlaceTitleAndCommands();
    void PlaceVersion();
    void PlaceDefaultAndSwitch();
    void StyleSwitch();
    // Tooltips and captions in the current language ('PA').
    void ApplyTexts();

    const MainLinks& Links() const { return links_; }
    // 1005, whose caption and tooltip name the active profile (the keyboard map sets them).
    CPngButton& ProfileManagerButton() { return profile_manager_; }

    // model::PendingChanges: the Apply button is enabled exactly while changes are pending.
    bool Pending() const override { return modified_; }
    void SetPending(bool pending) override;

  private:
    void OnOk(WORD code);
    void OnCancel(WORD code);
    void OnApply(WORD code);
    void OnDefault(WORD code);
    void OnProfileManager(WORD code);
    void OnMacro(WORD code);
    void OnMakerLink(WORD code);
    void OnWebLink(WORD id, WORD code);
    void OnHelp(WORD code);
    void OnMinimize(WORD code);
    void OnClose(WORD code);
    void OnMenu(WORD code);
    void OnRestore(WORD code);
    void OnBackup(WORD code);
    void OnExportJson(WORD code);
    void OnImportJson(WORD code);
    void OnFirmwareUpdate(WORD code);

    MainContext& context_;
    MainLinks links_;
    model::MessageSink* messages_ = nullptr;
    model::LightingView* lighting_view_ = nullptr;
    bool modified_ = false;

    CPngButton ok_, cancel_, apply_, default_;
    CPngButton profile_manager_, macro_;
    CPngButton maker_link_, facebook_, twitter_;
    CPngButton help_, minimize_, close_, menu_;
    CPngButton version_, switch_;
};

}  // namespace kv::ui
