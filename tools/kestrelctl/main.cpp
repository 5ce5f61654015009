#include "KestrelCtl.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "device/windows/WideText.h"

#include <cstdio>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

// The arguments arrive as UTF-16, so every file name is reachable whatever
// the code page; the tool works in UTF-8 and writes its output byte for byte
// as on Linux (no carriage return added before a line feed).
int wmain(int argc, wchar_t* argv[])
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(kestrel::toUtf8(argv[i]));
    return kestrel::ctl::KestrelCtl(std::cout, std::cerr).run(args);
}
#else
int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kestrel::ctl::KestrelCtl(std::cout, std::cerr).run(args);
}
#endif
