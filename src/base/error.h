#pragma once

#include <stdexcept>
#include <string>

namespace vendaxo {

// A failure whose message is written for the merchant; shown as it stands.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace vendaxo
