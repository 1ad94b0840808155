// Which tray icon to show: the presence icon (no keyboard or attached) and the
// busy icon on top of it. Called from several threads.
#pragma once

#include <atomic>
#include <optional>

namespace kv::app {

class TrayIconState {
  public:
    static constexpr int kNoKeyboard = 128;
    static constexpr int kAttached = 141;
    static constexpr int kBusy = 142;

    // Mode 0 with an id: show it and make it the presence icon. Mode 0 with id 0:
    // back to the presence icon. Mode 1: the busy icon, presence unchanged.
    // The icon to load now, or nothing when it is already shown.
    std::optional<int> Choose(int mode, int icon_id);
    // What the keyboard's state means for the icon: attached or not (the
    // presence icon), busy on top of it or idle again.
    std::optional<int> ShowPresence(bool attached) { return Choose(0, attached ? kAttached : kNoKeyboard); }
    std::optional<int> ShowBusy(bool busy) { return busy ? Choose(1, 0) : Choose(0, 0); }

    int Shown() const { return shown_; }
    int Presence() const { return presence_; }
    void SetShown(int icon_id) { shown_ = icon_id; }  // 0 after the icon is removed

  private:
    std::atomic<int> shown_{0};
    std::atomic<int> presence_{kNoKeyboard};
};

}  // namespace kv::app
