#include <windows.h>

#include <gtest/gtest.h>

#include "Harness.h"

int main(int argc, char** argv) {
    SetProcessDPIAware();  // window rectangles and mouse coordinates in the same pixels
    tavrill::e2e::PrepareWine();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
