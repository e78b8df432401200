// Runs the dialog tests on the offscreen platform.

#include "common/qt/testing/test_main.h"
#include "dialog_tests.h"

int main(int argc, char** argv) {
    return quor::ui::testing::runTestObjects(argc, argv, quor::find::ui::testing::allDialogTests);
}
