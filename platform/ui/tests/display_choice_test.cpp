// GNOME under Wayland draws through Xwayland unless the user chose a platform.
#include "platform/ui/display_choice.h"

#include <gtest/gtest.h>

using platform::ui::displayPlatformFor;

TEST(display_choice, gnome_on_wayland_goes_through_xwayland_and_nothing_else_changes) {
    EXPECT_EQ(displayPlatformFor("", "GNOME", "wayland-0", ":0"), "xcb;wayland");
    EXPECT_EQ(displayPlatformFor("", "ubuntu:gnome", "wayland-0", ":1"), "xcb;wayland");
    EXPECT_EQ(displayPlatformFor("wayland", "GNOME", "wayland-0", ":0"), "");  // the user's own choice
    EXPECT_EQ(displayPlatformFor("", "GNOME", "wayland-0", ""), "");          // no Xwayland to go to
    EXPECT_EQ(displayPlatformFor("", "GNOME", "", ":0"), "");                 // an X desktop already
    EXPECT_EQ(displayPlatformFor("", "KDE", "wayland-0", ":0"), "");
    EXPECT_EQ(displayPlatformFor("", "GNOME-Flashback:GNOMEX", "wayland-0", ":0"), "");
}
