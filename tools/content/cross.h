// The mingw-w64 cross tools the proofs run: a probe of expressions compiled
// against the Windows headers, for 32-bit (VB6) or 64-bit (VBA 7) Windows,
// and read back from the object file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace proofs::cross {

// Runs a shell command and returns what it printed on standard output.
std::string run(const std::string& cmd, int* status = nullptr);

struct Target {
    const char* triplet; // "i686-w64-mingw32"
};
inline constexpr Target kWin32{"i686-w64-mingw32"};
inline constexpr Target kWin64{"x86_64-w64-mingw32"};

struct Setting {
    const char* name;
    const char* defines;
};
// The headers' version switches change some structures (MENUITEMINFO gained
// hbmpItem with 98/2000, OPENFILENAME pvReserved with 2000); a Type is right
// when it matches the structure as one real Windows version defines it.
inline constexpr std::array<Setting, 4> kSettings{{
    {"Windows 95/NT 4", "-D_WIN32_WINNT=0x0400 -DWINVER=0x0400 -D_WIN32_IE=0x0400"},
    {"Windows 2000", "-D_WIN32_WINNT=0x0500 -DWINVER=0x0500 -D_WIN32_IE=0x0500"},
    {"Windows XP", "-D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -D_WIN32_IE=0x0600"},
    {"Windows Vista", "-D_WIN32_WINNT=0x0600 -DWINVER=0x0600 -D_WIN32_IE=0x0700"},
}};
inline const char* newestDefines() {
    return kSettings.back().defines;
}

// Compiles the Windows headers, then `prelude`, then an array of `element`
// with one initializer a line, and returns each element's bytes. An
// initializer the compiler refuses (a name the headers do not define, a value
// that is no constant) comes back empty. C++ when cxx is set, C otherwise.
std::vector<std::string> compileTable(const Target& target, bool cxx, const std::string& prelude,
                                      const std::string& element, std::size_t elementBytes,
                                      const std::vector<std::string>& initializers,
                                      const std::string& defines);

// One integer expression a line, read back as 64-bit values.
std::vector<std::optional<std::int64_t>> evaluateInHeaders(const Target& target,
                                                           const std::vector<std::string>& expressions,
                                                           const std::string& defines);

// A little-endian integer of `bytes` bytes at `offset`.
std::int64_t readInteger(const std::string& data, std::size_t offset, std::size_t bytes = 8);

// Every identifier the headers mention for the target, macros included.
// Probing a name the compiler has never seen makes it search all names for a
// suggestion, which costs seconds per name; names outside this set cannot be
// defined anyway.
const std::set<std::string>& identifiersInHeaders(const Target& target);

// The names the headers define as function-like macros (RtlMoveMemory on
// 64-bit Windows), which no probe can take the address of.
const std::set<std::string>& functionMacros(const Target& target);

} // namespace proofs::cross
