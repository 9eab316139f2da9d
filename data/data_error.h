// Errors of the data source, numbered as the users of Jet know them.
#pragma once

#include <stdexcept>
#include <string>

namespace data {

namespace err {
constexpr int OutOfMemory = 7;
constexpr int NoCurrentRecord = 3021;
constexpr int FileNotFound = 3024;
constexpr int CannotOpenFile = 3051;
constexpr int UnknownField = 3070;
constexpr int MalformedCriteria = 3077;
constexpr int TableNotFound = 3078;
constexpr int ItemNotFound = 3265;
constexpr int UnrecognizedFormat = 3343;
} // namespace err

class DataError : public std::runtime_error {
public:
    DataError(int number, const std::string& text, std::string detail = {})
        : std::runtime_error(text), number_(number), detail_(std::move(detail)) {}
    int number() const noexcept { return number_; }
    // What exactly went wrong, when the standard text does not say (which
    // table, which page); empty otherwise.
    const std::string& detail() const noexcept { return detail_; }

private:
    int number_;
    std::string detail_;
};

} // namespace data
