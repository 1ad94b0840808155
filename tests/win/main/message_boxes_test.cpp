// What the portable code means by a message, as message-box flags.
#include "ui/main/message_boxes.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

TEST(MessageBoxFlags, FollowWhatTheMessageIsAbout) {
    EXPECT_EQ(MessageBoxFlags(model::MessageKind::kNotice), static_cast<UINT>(MB_OK));
    EXPECT_EQ(MessageBoxFlags(model::MessageKind::kKeyboardWrite), static_cast<UINT>(MB_OK | MB_TOPMOST));
    EXPECT_EQ(MessageBoxFlags(model::MessageKind::kKeyboardWrite), 0x40000u);
    EXPECT_EQ(kConfirmFlags, 0x104u) << "Yes and No, No preselected";
}

}  // namespace
}  // namespace kv::ui
