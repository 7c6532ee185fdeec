// orlan-cli: the ORLAN processor without a window, for scripts, tests and lesson material.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "Options.h"
#include "Runner.h"

int main(int argc, char** argv) {
    using namespace orlan::cli;
    try {
#ifdef SIGPIPE
        // A reader that went away (a pipe into head) is a write error reported like any other,
        // not a silent end.
        std::signal(SIGPIPE, SIG_IGN);
#endif
        // Traces run to millions of lines: write them in large blocks.
        static char outBuffer[1 << 16];
        std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);

        const std::vector<std::string_view> args(argv + 1, argv + argc);
        const ParseResult parsed = parseArguments(args);
        if (!parsed.error.empty()) {
            reportError(parsed.error);
            return 2;
        }
        if (parsed.options.help) {
            std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
            if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
                reportError(outputError(errno));
                return 2;
            }
            return 0;
        }
        Runner runner(parsed.options);
        return runner.run();
    } catch (const std::exception& e) {
        reportError(std::string("internal error: ") + e.what());
    } catch (...) {
        reportError("internal error");
    }
    return 2;
}
