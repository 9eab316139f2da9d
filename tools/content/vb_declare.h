// A parser of Visual Basic 6 `Declare` statements, strict enough to catch a
// misspelt keyword, an unbalanced parameter list or a Sub with a return type.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vb {

struct Parameter {
    bool optional = false;
    enum class Passing { Default, ByVal, ByRef } passing = Passing::Default;
    std::string name;
    bool isArray = false;
    std::string type; // empty when no As clause
};

struct Declare {
    bool ptrSafe = false; // VBA 7: Declare PtrSafe
    bool isFunction = false;
    std::string name;
    std::string lib;
    std::optional<std::string> alias;
    std::vector<Parameter> parameters;
    std::string returnType; // functions only
};

class ParseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses one statement without a scope keyword. Throws ParseError.
Declare parseDeclare(const std::string& text);

} // namespace vb
