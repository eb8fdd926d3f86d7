#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace vendaxo {

// A failure whose message is written for the merchant; shown as it stands.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A value its owner refuses: the name it came under (an option, a field, a
// column), the text, and why as the message.
class RefusedValue : public Error {
public:
    RefusedValue(std::string name, std::string value, const std::string& reason)
        : Error(reason), m_name(std::move(name)), m_value(std::move(value)) {}
    const std::string& name() const { return m_name; }
    const std::string& value() const { return m_value; }

private:
    std::string m_name;
    std::string m_value;
};

} // namespace vendaxo
