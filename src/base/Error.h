#pragma once
// The one exception type of the program. Its message is exactly what the user
// reads in the error box (which appends the final "."), for instance
// "Cannot open file c:\tools\tavrill\ProcHead.txt".

#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrill {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline Error CannotOpenFile(std::string_view path) {
    return Error("Cannot open file " + std::string(path));
}

inline Error CannotCreateFile(std::string_view path) {
    return Error("Cannot create file " + std::string(path));
}

inline Error UnableToWrite(std::string_view path) {
    return Error("Unable to write to " + std::string(path));
}

}  // namespace tavrill
