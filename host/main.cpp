// The example host program: a separate program that uses only the public header
// and the built component, as a host design application would.
#include "HostCommandLine.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    return lmhost::runHostCommandLine(args, std::cout, std::cerr);
}
