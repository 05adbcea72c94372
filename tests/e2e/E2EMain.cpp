#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "Harness.h"

int main(int argc, char** argv) {
    // Window rectangles and mouse coordinates must be the same pixels on a scaled display.
    SetProcessDPIAware();
    tavrill::e2e::PrepareWine();
    ::testing::InitGoogleTest(&argc, argv);
    std::printf("tavrill.exe:   %s\nsample editor: %s\n", tavrill::e2e::TavrillExe().c_str(),
                tavrill::e2e::SampleEditorExe().c_str());
    return RUN_ALL_TESTS();
}
