// main() for widget tests: a QApplication (offscreen under CTest) around GoogleTest.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/ui/fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::ui::installFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
