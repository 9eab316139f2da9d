// Proves content files against the Windows headers and import libraries:
//   content_check [-v] <content/functions> [Name ...]   (-v also lists what was not matched)
// Prints every failure as file:line: what differs; exits 1 when there is one.
//   content_check --draft-vba7 <content/functions> [Name ...]
// ends the remarks of each file without a 64-bit VBA paragraph with a draft
// of one, for its writer to finish: the Declare the 64-bit prototype calls
// for and the structure lines, without the line for callers.
#include "tools/content/proofs.h"
#include "tools/content/vba7.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

int draft(const std::string& dir, const std::set<std::string>& names) {
    const auto files = proofs::scanDirectory(dir, names);
    const auto drafts = proofs::vba7::drafts(files);
    for (const auto& [file, paragraph] : drafts) {
        const auto path = std::filesystem::path(dir) / file;
        std::string text;
        {
            std::ifstream in(path, std::ios::binary);
            text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        const auto remarks = text.find("\n== remarks\n");
        if (remarks == std::string::npos) {
            std::fprintf(stderr, "%s: no remarks section\n", file.c_str());
            continue;
        }
        auto end = text.find("\n== ", remarks + 1);
        end = end == std::string::npos ? text.size() : end + 1;
        // Drop blank lines before the paragraph so it follows the text.
        std::size_t at = end;
        while (at > 0 && text[at - 1] == '\n' && at - 1 > remarks && text[at - 2] == '\n')
            --at;
        if (at == text.size() && (text.empty() || text.back() != '\n')) text += '\n', at = text.size();
        text.insert(at, paragraph);
        std::ofstream(path, std::ios::binary) << text;
        std::printf("%s\n", file.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    bool verbose = false, drafting = false;
    std::string dir;
    std::set<std::string> names;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-v")
            verbose = true;
        else if (a == "--draft-vba7")
            drafting = true;
        else if (dir.empty())
            dir = a;
        else
            names.insert(a.size() > 4 && a.substr(a.size() - 4) == ".txt" ? a.substr(0, a.size() - 4) : a);
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: content_check [-v | --draft-vba7] <content/functions> [Name ...]\n");
        return 2;
    }
    try {
        if (drafting) return draft(dir, names);
        const auto r = proofs::check(dir, names);
        for (const auto& f : r.failures)
            std::printf("%s\n", f.c_str());
        if (verbose)
            for (const auto& n : r.notes)
                std::printf("note: %s\n", n.c_str());
        std::printf(
            "%zu functions; stack sizes %zu of %zu declarations; constants %zu proven of %zu; structures %zu "
            "proven of %zu, %zu members; 64-bit VBA: %zu declarations, %zu parameters proven, %zu functions "
            "absent, "
            "%zu structures sized; %zu failures\n",
            r.functions, r.stackProven, r.declares, r.constsProven, r.consts, r.typesProven, r.types,
            r.membersProven, r.vba7Declares, r.vba7Parameters, r.vba7Absent, r.vba7Structures,
            r.failures.size());
        return r.failures.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "content_check: %s\n", e.what());
        return 2;
    }
}
