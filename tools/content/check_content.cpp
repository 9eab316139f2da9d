// Proves content files against the Windows headers and import libraries:
//   content_check <content/functions> [Name ...]   (-v also lists what was not matched)
// Prints every failure as file:line: what differs; exits 1 when there is one.
#include "proofs.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    bool verbose = false;
    std::string dir;
    std::set<std::string> names;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-v")
            verbose = true;
        else if (dir.empty())
            dir = a;
        else
            names.insert(a.size() > 4 && a.substr(a.size() - 4) == ".txt" ? a.substr(0, a.size() - 4) : a);
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: content_check [-v] <content/functions> [Name ...]\n");
        return 2;
    }
    try {
        const auto r = proofs::check(dir, names);
        for (const auto& f : r.failures)
            std::printf("%s\n", f.c_str());
        if (verbose)
            for (const auto& n : r.notes)
                std::printf("note: %s\n", n.c_str());
        std::printf(
            "%zu functions; stack sizes %zu of %zu declarations; constants %zu proven of %zu; structures %zu "
            "proven of %zu, %zu members; %zu failures\n",
            r.functions, r.stackProven, r.declares, r.constsProven, r.consts, r.typesProven, r.types,
            r.membersProven, r.failures.size());
        return r.failures.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "content_check: %s\n", e.what());
        return 2;
    }
}
