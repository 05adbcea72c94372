#include "blocks/GuardBlocks.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(GuardBlocksTest, BlockLinesTakeTheFirstLinesIndentAndTheCodeMovesTwoIn) {
    const std::string w = "    List.Free;\r\n    begin\r\n\r\n    end;\r\n";
    EXPECT_EQ(
        TryFinallyBlock(w),
        "    try\r\n      List.Free;\r\n      begin\r\n  \r\n      end;\r\n    finally\r\n\r\n    end;\r\n");
    EXPECT_EQ(TryExceptBlock("x"), "try\r\n  x\r\nexcept\r\n\r\nend;\r\n");
    EXPECT_EQ(IfDefBlock("DEBUG", "  Log(s)"), "  {$IFDEF DEBUG}\r\n    Log(s)\r\n  {$ENDIF}\r\n");
    EXPECT_EQ(RegionBlock("Helpers", "\tx;\r\n"), "{$REGION 'Helpers'}\r\n  \tx;\r\n{$ENDREGION}\r\n");
    EXPECT_EQ(RegionBlock("", ""), "{$REGION ''}\r\n{$ENDREGION}\r\n");
}

}  // namespace
}  // namespace tavrill
