#pragma once
// "Align on": the character or word to align the selected lines on, typed or
// picked from the ones used before. Made afresh for every use.

#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"

namespace tavrill {

class TfrmAlignOn : public Form {
public:
    TfrmAlignOn();
    // The box offers `recent` (latest first) and starts with the latest, or ":=".
    std::optional<std::string> Run(const std::vector<std::string>& recent);

private:
    HWND cboToken_ = nullptr;
};

}  // namespace tavrill
