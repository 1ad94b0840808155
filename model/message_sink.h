// Messages as the portable code means them: a notice, or a notice about a
// keyboard write, which must not hide behind other windows. The Win32 side
// turns the kind into message-box flags; tests record the calls.
#pragma once

#include <string_view>

namespace kv::model {

enum class MessageKind {
    kNotice,         // plain OK box
    kKeyboardWrite,  // OK box that stays on top: it concerns a keyboard write
};

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(std::u16string_view text, MessageKind kind) = 0;
};

}  // namespace kv::model
