#pragma once
// The message of the Error that `action` throws, or "" when it throws none.

#include <string>

#include "base/Error.h"

namespace tavrill::testing {

template <class Action>
std::string ErrorOf(const Action& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

}  // namespace tavrill::testing
