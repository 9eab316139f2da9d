// build_content CONTENT_DIR OUT.mdb: the bundled reference database.
#include "tools/content/content.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: build_content CONTENT_DIR OUT.mdb\n";
        return 2;
    }
    try {
        const auto functions = content::loadDirectory(argv[1]);
        jetw::writeDatabaseFile(content::toDatabase(functions), argv[2]);
        std::cout << "build_content: " << functions.size() << " functions -> " << argv[2] << '\n';
    } catch (const std::exception& e) {
        std::cerr << "build_content: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
