#include "quorvane/store/store_test_fixture.h"
