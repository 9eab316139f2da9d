#include "tools/content/cross.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace proofs::cross {

namespace {

const char* const kHeaders = R"(#define OEMRESOURCE
#define SECURITY_WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <sddl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>
#include <psapi.h>
#include <wininet.h>
#include <urlmon.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <mmsystem.h>
#include <htmlhelp.h>
#include <winnetwk.h>
#include <imagehlp.h>
#include <olectl.h>
#include <richedit.h>
#include <powrprof.h>
#include <lm.h>
#include <wincrypt.h>
#include <winspool.h>
#include <objbase.h>
#include <winver.h>
#include <security.h>
#include <ras.h>
#include <raserror.h>
#include <stddef.h>
)";

class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "zarn-proofs-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a temporary directory");
        path_ = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool isIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string tool(const Target& target, const char* name) {
    return std::string(target.triplet) + "-" + name;
}

// The headers as the preprocessor leaves them, macro definitions kept.
const std::string& preprocessed(const Target& target) {
    static std::map<std::string, std::string> cache;
    auto [it, fresh] = cache.try_emplace(target.triplet);
    if (fresh) {
        TempDir dir;
        const std::string src = dir.path() + "/ids.c";
        std::ofstream(src) << kHeaders;
        it->second = run(tool(target, "gcc") + " -E -dD " + newestDefines() + " " + src + " 2>/dev/null");
    }
    return it->second;
}

} // namespace

std::string run(const std::string& cmd, int* status) {
    std::string out;
    if (FILE* pipe = ::popen(cmd.c_str(), "r")) {
        std::array<char, 4096> buf{};
        std::size_t n = 0;
        while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
            out.append(buf.data(), n);
        const int rc = ::pclose(pipe);
        if (status) *status = rc;
    } else if (status) {
        *status = -1;
    }
    return out;
}

std::vector<std::string> compileTable(const Target& target, bool cxx, const std::string& prelude,
                                      const std::string& element, std::size_t elementBytes,
                                      const std::vector<std::string>& initializers,
                                      const std::string& defines) {
    std::vector<std::string> values(initializers.size());
    if (initializers.empty()) return values;
    TempDir dir;
    const std::string src = dir.path() + (cxx ? "/probe.cpp" : "/probe.c"), obj = dir.path() + "/probe.o",
                      bin = dir.path() + "/probe.bin";
    std::vector<bool> refused(initializers.size(), false);
    std::size_t firstLine = 0;
    bool compiled = false;
    std::string lastErrors;
    const std::string head = std::string(kHeaders) + prelude +
                             "\n__attribute__((section(\".zarn\"), used)) const " + element +
                             " zarn_values[] = {\n";
    firstLine = static_cast<std::size_t>(std::count(head.begin(), head.end(), '\n')) + 1;
    for (int attempt = 0; attempt < 8 && !compiled; ++attempt) {
        std::ostringstream code;
        code << head;
        for (std::size_t i = 0; i < initializers.size(); ++i)
            code << (refused[i] ? std::string("{0}") : initializers[i]) << ",\n";
        code << "};\n";
        std::ofstream(src) << code.str();
        int status = 0;
        const std::string errors = run(tool(target, cxx ? "g++ -std=c++17" : "gcc") +
                                           " -w -ftrack-macro-expansion=0 -fmax-errors=0 " + defines +
                                           " -c " + src + " -o " + obj + " 2>&1",
                                       &status);
        if (status == 0) {
            compiled = true;
            break;
        }
        lastErrors = errors;
        // "probe.c:LINE:COL: error: ..."; an error inside a template names the
        // line that instantiated it as "required from here".
        static const std::regex errorLine(R"(probe\.c(pp)?:(\d+):\d+:( error|   required from here))");
        bool any = false;
        for (auto it = std::sregex_iterator(errors.begin(), errors.end(), errorLine);
             it != std::sregex_iterator(); ++it) {
            const std::size_t line = std::stoul((*it)[2]);
            if (line >= firstLine && line - firstLine < initializers.size()) {
                refused[line - firstLine] = true;
                any = true;
            }
        }
        if (!any)
            throw std::runtime_error("the " + std::string(target.triplet) +
                                     " cross compiler failed on the header probe:\n" +
                                     errors.substr(0, 2000));
    }
    if (!compiled)
        throw std::runtime_error("the header probe does not compile:\n" + lastErrors.substr(0, 2000));
    int status = 0;
    run(tool(target, "objcopy") + " -O binary -j .zarn " + obj + " " + bin + " 2>&1", &status);
    std::ifstream in(bin, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (status != 0 || bytes.size() < initializers.size() * elementBytes)
        throw std::runtime_error("cannot read the values of the header probe (" +
                                 std::to_string(bytes.size()) + " bytes for " +
                                 std::to_string(initializers.size()) + " values)");
    for (std::size_t i = 0; i < initializers.size(); ++i)
        if (!refused[i]) values[i] = bytes.substr(i * elementBytes, elementBytes);
    return values;
}

std::int64_t readInteger(const std::string& data, std::size_t offset, std::size_t bytes) {
    std::uint64_t v = 0;
    for (std::size_t b = bytes; b-- > 0;)
        v = (v << 8) | static_cast<unsigned char>(data.at(offset + b));
    if (bytes < 8 && (v >> (bytes * 8 - 1)) & 1) v |= ~std::uint64_t{0} << (bytes * 8);
    return static_cast<std::int64_t>(v);
}

std::vector<std::optional<std::int64_t>> evaluateInHeaders(const Target& target,
                                                           const std::vector<std::string>& expressions,
                                                           const std::string& defines) {
    std::vector<std::string> initializers;
    initializers.reserve(expressions.size());
    for (const auto& e : expressions)
        initializers.push_back("(long long)(" + e + ")");
    const auto raw = compileTable(target, false, "", "long long", 8, initializers, defines);
    std::vector<std::optional<std::int64_t>> values(expressions.size());
    for (std::size_t i = 0; i < raw.size(); ++i)
        if (!raw[i].empty()) values[i] = readInteger(raw[i], 0);
    return values;
}

const std::set<std::string>& identifiersInHeaders(const Target& target) {
    static std::map<std::string, std::set<std::string>> cache;
    auto [it, fresh] = cache.try_emplace(target.triplet);
    if (fresh) {
        const std::string& text = preprocessed(target);
        auto& out = it->second;
        for (std::size_t i = 0; i < text.size();) {
            if (std::isalpha(static_cast<unsigned char>(text[i])) || text[i] == '_') {
                std::size_t j = i;
                while (j < text.size() && isIdentChar(text[j]))
                    ++j;
                out.insert(text.substr(i, j - i));
                i = j;
            } else if (std::isdigit(static_cast<unsigned char>(text[i]))) {
                while (i < text.size() && isIdentChar(text[i]))
                    ++i;
            } else {
                ++i;
            }
        }
    }
    return it->second;
}

const std::set<std::string>& functionMacros(const Target& target) {
    static std::map<std::string, std::set<std::string>> cache;
    auto [it, fresh] = cache.try_emplace(target.triplet);
    if (fresh) {
        static const std::regex define(R"(^#define ([A-Za-z_][A-Za-z0-9_]*)\()");
        std::stringstream in(preprocessed(target));
        std::string line;
        std::smatch m;
        while (std::getline(in, line))
            if (std::regex_search(line, m, define)) it->second.insert(m[1]);
    }
    return it->second;
}

} // namespace proofs::cross
