// Message boxes as the portable code asks for them. The Win32 side shows a
// message box with the given flags; tests record the calls.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv::model {

// Message-box flags the model uses.
constexpr uint32_t kMessageOk = 0x0;
constexpr uint32_t kMessageTopmost = 0x40000;

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(std::u16string_view text, uint32_t flags) = 0;
};

}  // namespace kv::model
