// Runs every window test class on the offscreen platform.

#include "common/qt/testing/test_main.h"
#include "ui_tests.h"

int main(int argc, char** argv) {
    return quor::ui::testing::runTestObjects(argc, argv, quor::ui::testing::allTests);
}
