// Widget tests run offscreen inside the program's own application object, so
// exceptions reaching the event loop are handled as in the program.
#include "shell/gui/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    vendaxo::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
