// heddlewise-cli: batch access to the draft core for scripts and tests.
#include "commands.h"

#include "version.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace hw::cli {

// Each defined in its own cmd_<name>.cpp.
Command DumpCommand();
Command ConvertCommand();
Command DraftImageCommand();
Command ReportCommand();
Command FabricPngCommand();
Command WifCommand();
Command PrintCommand();
Command PrintNumericCommand();

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        DumpCommand(),      ConvertCommand(), DraftImageCommand(), ReportCommand(),
        FabricPngCommand(), WifCommand(),     PrintCommand(),      PrintNumericCommand()};
    return commands;
}

int UsageError(const Command& cmd, const std::string& why) {
    if (!why.empty()) std::fprintf(stderr, "heddlewise-cli %s: %s\n", cmd.Name, why.c_str());
    std::fprintf(stderr, "usage: heddlewise-cli %s %s\n", cmd.Name, cmd.Usage);
    return ExitUsage;
}

// One example for each command, on the samples that come with the editor.
static const char* Example(const std::string& name) {
    static const std::pair<const char*, const char*> examples[] = {
        {"dump", "heddlewise-cli dump twill-2-2.hdw | jq .Shafts"},
        {"convert", "heddlewise-cli convert plaid.hdw plaid-v4.hdw --format hdw4"},
        {"draft-image", "heddlewise-cli draft-image overshot.hdw overshot.png --zoom 4"},
        {"report", "heddlewise-cli report floats satin-8-liftplan.hdw --language de"},
        {"fabric-png", "heddlewise-cli fabric-png houndstooth.hdw houndstooth.png"},
        {"wif", "heddlewise-cli wif rosepath-sinking-shed.hdw rosepath.wif --both"},
        {"print", "heddlewise-cli print log-cabin.hdw log-cabin.pdf"},
        {"print-numeric", "heddlewise-cli print-numeric threading overshot.hdw --landscape"},
    };
    for (const auto& [command, example] : examples)
        if (name == command) return example;
    return nullptr;
}

static void PrintHelp(std::FILE* out) {
    std::fprintf(out, "usage: heddlewise-cli <command> [arguments]\n"
                      "       heddlewise-cli --help | --version\n\n"
                      "Works on Heddlewise weaving drafts (.hdw) without a display.\n\n"
                      "Commands:\n");
    for (const Command& c : Commands()) {
        std::fprintf(out, "  %s %s\n      %s\n", c.Name, c.Usage, c.Summary);
        if (const char* example = Example(c.Name)) std::fprintf(out, "      e.g. %s\n", example);
    }
    if (Commands().empty()) std::fprintf(out, "  (none yet)\n");
    std::fprintf(out, "\nExit status: 0 success, 1 a file could not be read or written, "
                      "2 usage error.\n");
}

} // namespace hw::cli

int main(int argc, char** argv) {
    using namespace hw::cli;
    if (argc < 2) {
        PrintHelp(stderr);
        return ExitUsage;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(stdout);
        return ExitOk;
    }
    if (first == "--version") {
        std::printf("%s-cli %s\n", hw::ProductName, hw::ProductVersion);
        return ExitOk;
    }
    for (const Command& c : Commands()) {
        if (first != c.Name) continue;
        Args args(argv + 2, argv + argc);
        for (const std::string& a : args)
            if (a == "--help" || a == "-h") {
                std::printf("usage: heddlewise-cli %s %s\n%s\n", c.Name, c.Usage, c.Summary);
                return ExitOk;
            }
        return c.Run(args);
    }
    std::fprintf(stderr, "heddlewise-cli: unknown command '%s' (see --help)\n", first.c_str());
    return ExitUsage;
}
