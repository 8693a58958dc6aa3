// main() of the test programs that need nothing before their tests but the common platform.
#include <gtest/gtest.h>

#include "test_platform.h"

int main(int argc, char** argv) {
    tavro::test::useTestPlatform();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
