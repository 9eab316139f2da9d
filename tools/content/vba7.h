// Proofs of the paragraph for 64-bit VBA (VBA 7): its PtrSafe Declare takes
// LongPtr exactly where the 64-bit prototype has something pointer-sized,
// and every structure size it states is the 64-bit compiler's.
#pragma once

#include "tools/content/cross.h"
#include "tools/content/proofs.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace proofs::vba7 {

// What a C type is, as far as a VB Declare can tell.
enum class Kind { Void, Integer, Floating, Pointer, Record, Callback, Other };

struct CType {
    Kind kind = Kind::Other;
    std::size_t size = 0;
    Kind pointee = Kind::Void; // pointers only
    std::size_t pointeeSize = 0;
};

struct Prototype {
    bool variadic = false;
    CType result;
    std::vector<CType> parameters;
};

// The prototypes the headers declare for the target, keyed by name; names
// without a prototype (undeclared, or a macro) are missing.
std::map<std::string, Prototype> headerPrototypes(const cross::Target& target,
                                                  const std::set<std::string>& names);

// One C type on both targets: pointer-sized means 4 bytes on 32-bit and 8
// on 64-bit Windows.
struct Both {
    CType w64, w32;
};

// Why a VBA 7 parameter or result does not fit the C type; empty when it does.
std::string parameterMismatch(const vb::Parameter& p, const Both& c);
std::string resultMismatch(const vb::Declare& d, const Both& c);

// The declaration a VBA 7 writer starts from: the VB6 one with PtrSafe and
// LongPtr where the 64-bit prototype has a pointer-sized type.
std::string draftDeclare(const vb::Declare& vb6, const std::vector<Both>& parameters, const Both& result);

// Checks the paragraphs of the scanned files and adds to the report.
void check(const std::vector<std::pair<std::string, Facts>>& files, Report& report);

// Drafts the paragraph for each file that has none (the Declare and the
// structure lines); the line for callers is left to the writer.
std::map<std::string, std::string> drafts(const std::vector<std::pair<std::string, Facts>>& files);

} // namespace proofs::vba7
