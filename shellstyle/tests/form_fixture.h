// The fakes every form test puts behind the forms' seams.
#pragma once

#include <gtest/gtest.h>

#include "platform/testing/fake_clock.h"
#include "platform/testing/fake_dialogs.h"
#include "platform/testing/recording_restart.h"
#include "registry/general.h"
#include "registry/testing/fake_registry.h"
#include "shellstyle/tests/fake_icon_pictures.h"
#include "shellstyle/ui/seams.h"

namespace shellstyle::testing {

class FormTest : public ::testing::Test {
protected:
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeFileDialogs dialogs;
    platform::testing::RecordingRestart restart;
    platform::testing::FakeClock clock;
    registry::testing::FakeRegistry store;
    registry::General general{store};
    FakeIconPictures icons;
    int waits = 0;
    int ends = 0;
    ui::Seams seams{boxes,   dialogs, restart, clock, general, icons, QStringLiteral("/opt/shellstyle"),
                    [this] { ++waits; }, [this] { ++ends; }};
};

}  // namespace shellstyle::testing
