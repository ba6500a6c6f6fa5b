// The error report and the restart question.
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/testing/fake_dialogs.h"
#include "platform/testing/recording_restart.h"
#include "shellstyle/core/error_report.h"
#include "shellstyle/core/restart_question.h"

namespace shellstyle {
namespace {

using platform::MsgAnswer;
using platform::testing::FakeMessageBoxes;
using platform::testing::RecordingRestart;

TEST(ErrorReport, ShowsDescriptionAndNumberAndCarriesOn) {
    FakeMessageBoxes boxes;
    bool after = false;
    reportErrors(boxes, [] { throw RunError("对象变量未设置", 91); });
    reportErrors(boxes, [] { throw std::runtime_error("bad"); });
    reportErrors(boxes, [&] { after = true; });
    EXPECT_TRUE(after);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("对象变量未设置 (91)"));
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("shellstyle Error"));
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(boxes.shown[0].buttons, platform::MsgButtons::Ok);
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("bad (5)"));
}

TEST(RestartQuestion, OnlyYesSendsTheRequest) {
    FakeMessageBoxes boxes;
    RecordingRestart restart;
    boxes.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(askRestart(boxes, restart));
    EXPECT_EQ(restart.requests, 0);
    EXPECT_TRUE(askRestart(boxes, restart));
    EXPECT_EQ(restart.requests, 1);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("设置后需要重新启动计算机，是否重新启动？"));
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("重新启动"));
    EXPECT_EQ(boxes.shown[0].buttons, platform::MsgButtons::YesNo);
}

}  // namespace
}  // namespace shellstyle
