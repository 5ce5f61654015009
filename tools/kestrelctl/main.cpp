#include "KestrelCtl.h"

#include <iostream>

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kestrel::ctl::KestrelCtl(std::cout, std::cerr).run(args);
}
