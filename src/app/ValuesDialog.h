#pragma once
// The one shape of every dialog a command shows: Run() shows it modally and gives
// back what the user entered on OK, or nothing on Cancel (or any other way of
// closing it). What the dialog is shown with, if anything, are Run's arguments.
// The Windows forms and the unit tests' fakes both implement it, so the commands
// never see a window.

#include <optional>

namespace tavrill {

template <class Values, class... Shown>
class ValuesDialog {
public:
    virtual ~ValuesDialog() = default;
    virtual std::optional<Values> Run(Shown... shown) = 0;
};

}  // namespace tavrill
