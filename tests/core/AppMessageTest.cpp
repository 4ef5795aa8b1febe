#include "shell/AppMessage.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

std::uintptr_t wheel(int delta, unsigned keys = 0) {
    return (static_cast<std::uintptr_t>(static_cast<std::uint16_t>(delta)) << 16) | keys;
}

TEST(AppMessage, WheelBecomesOneArrowKeyWhateverTheDelta) {
    struct Case {
        int delta;
        unsigned key;
    };
    // A delta of 0 counts as Down; the key state in the low word is ignored.
    for (const Case& c :
         {Case{120, msg::VkUp}, Case{1, msg::VkUp}, Case{32767, msg::VkUp}, Case{-120, msg::VkDown},
          Case{-32768, msg::VkDown}, Case{0, msg::VkDown}}) {
        QueuedMessage m{msg::MouseWheel, wheel(c.delta, 0x0008), 0x01230456};
        EXPECT_TRUE(rewriteWheelAsKey(m)) << c.delta;
        EXPECT_EQ(m.message, msg::KeyDown) << c.delta;
        EXPECT_EQ(m.wParam, c.key) << c.delta;
        EXPECT_EQ(m.lParam, 0) << c.delta;
    }
    QueuedMessage other{msg::SysCommand, wheel(120), 7};
    EXPECT_FALSE(rewriteWheelAsKey(other));
    EXPECT_EQ(other.message, msg::SysCommand);
    EXPECT_EQ(other.wParam, wheel(120));
    EXPECT_EQ(other.lParam, 7);
}

TEST(AppMessage, SystemCommands) {
    using A = SystemCommandAction;
    struct Case {
        std::uintptr_t wParam;
        A action;
    };
    for (const Case& c : {
             Case{1025, A::About}, Case{1026, A::StayOnTop}, Case{1027, A::Donations},
             Case{1028, A::Minimize}, Case{1024, A::None}, Case{1029, A::None},
             Case{0xF020, A::HideApplication},
             Case{0xF022, A::HideApplication}, // low bits are the platform's own
             Case{0xF030, A::None},            // SC_MAXIMIZE
             Case{0xF060, A::None},            // SC_CLOSE goes to the window's handler
             Case{0xF120, A::None},            // SC_RESTORE
         })
        EXPECT_EQ(systemCommandAction(c.wParam), c.action) << c.wParam;
}

TEST(AppMessage, TrayIconEvents) {
    using A = TrayIconAction;
    struct Case {
        std::uintptr_t id;
        std::intptr_t mouse;
        A action;
    };
    for (const Case& c : {
             Case{0, 0x201, A::ShowMenuUnlessDoubleClick},
             Case{0, 0x204, A::ShowMenu},
             Case{0, 0x203, A::Restore},
             Case{0, 0x200, A::None}, // move
             Case{0, 0x202, A::None}, // left up
             Case{0, 0x205, A::None}, // right up
             Case{0, 0x206, A::None}, // right double click
             Case{1, 0x201, A::None}, // not our icon
             Case{1, 0x203, A::None},
         })
        EXPECT_EQ(trayIconAction(c.id, c.mouse), c.action) << c.id << " " << c.mouse;
}

} // namespace
} // namespace qd
