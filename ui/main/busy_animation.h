// The busy indicator that Apply shows: picture 1177 cycling through its ten
// frames on timer 1050. Shown and hidden from the busy indicator's thread,
// animated on the window's own thread.
#pragma once

#include <windows.h>

#include "model/sync/sync_host.h"
#include "ui/main/main_context.h"
#include "ui/main/panel_bitmaps.h"

namespace kv::ui {

class BusyAnimation : public model::BusyView {
  public:
    BusyAnimation(MainContext& context, const PanelBitmaps& bitmaps) : context_(context), bitmaps_(bitmaps) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // model::BusyView, from any thread.
    void BusyBegin() override;
    void BusyEnd() override;

    // The frame the next tick shows (0..9); it carries on from one Apply to the next.
    int NextFrame() const { return frame_; }

  private:
    LRESULT OnBusyMessage(WPARAM show, LPARAM);
    void OnTick();

    MainContext& context_;
    const PanelBitmaps& bitmaps_;
    int frame_ = 0;
};

}  // namespace kv::ui
