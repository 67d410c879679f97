#include <gtest/gtest.h>

#include "core/globals.h"

int main(int argc, char** argv)
{
    // The program's resources are linked into the test executable.
    AppInstance = GetModuleHandleA(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
