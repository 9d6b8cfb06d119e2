// drafthost: the command-line drafting host.
#include "host/shell/Options.h"
#include "host/shell/Program.h"

#include <filesystem>
#include <iostream>

namespace {

std::string programDir(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = std::filesystem::absolute(argv0, ec);
    return self.parent_path().string();
}

}  // namespace

int main(int argc, char** argv)
{
    dh::shell::ParsedOptions parsed = dh::shell::parseOptions(argc, argv);
    if (!parsed.ok()) {
        std::cerr << "drafthost: " << parsed.error << "\nTry 'drafthost --help'.\n";
        return 2;
    }
    if (parsed.options.help) {
        std::cout << dh::shell::usageText();
        return 0;
    }
    if (parsed.options.version) {
        std::cout << "drafthost 0.1.0 (host interface 0x00100000)\n";
        return 0;
    }
    return dh::shell::runProgram(parsed.options, programDir(argv[0]));
}
