// veld-sgf: checks and converts game record files (see sgf_tool.h).
#include <iostream>
#include <string>
#include <vector>

#include "veld_sgf/sgf_tool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return veld::tool::runSgfTool(args, std::cout, std::cerr);
}
