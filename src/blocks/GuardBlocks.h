#pragma once
// Blocks that guard the selected code: exception frames, conditional compilation and a foldable
// region. Each goes around the working text w by the loop blocks' surround rule (LoopBlock): the
// block's own lines take the leading blanks of w's first line, every line of w gets two blanks in
// front (an empty one becomes two blanks), and every line ends with CR LF, whether or not w did.
// The name and caption are used as typed.

#include <string>
#include <string_view>

namespace tavrill {

// try / w / finally / an empty line for the clean-up / end;
std::string TryFinallyBlock(std::string_view w);
// try / w / except / an empty line for the handler / end;
std::string TryExceptBlock(std::string_view w);
// {$IFDEF name} / w / {$ENDIF}
std::string IfDefBlock(std::string_view name, std::string_view w);
// {$REGION 'caption'} / w / {$ENDREGION}
std::string RegionBlock(std::string_view caption, std::string_view w);

}  // namespace tavrill
