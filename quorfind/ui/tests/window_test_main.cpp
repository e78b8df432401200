// Runs the search window tests on the offscreen platform.

#include "common/qt/testing/test_main.h"
#include "window_tests.h"

int main(int argc, char** argv) {
    return quor::ui::testing::runTestObjects(argc, argv, quor::find::ui::testing::allWindowTests);
}
