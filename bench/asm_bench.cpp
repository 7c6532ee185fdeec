// orlan-asm-bench [lines]: assembles a generated source of about that many lines (default 10 000),
// half of them macro calls with LOCAL labels, REPT counters and IF, and prints the time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Assembler.h"

int main(int argc, char** argv) {
    const long lines = argc > 1 ? std::max(100L, std::atol(argv[1])) : 10000;
    std::string src =
        "; generated\n\tORG 100H\nSTACK\tEQU 0F000H\n"
        "DELAY\tMACRO N,REG\n\tLOCAL AGAIN\n\tMVI REG,N\nAGAIN:\tDCR REG\n\tJNZ AGAIN\n\tENDM\n"
        "PUT\tMACRO V\n\tIF V GT 255\n\tLXI H,V\n\tELSE\n\tMVI A,LOW V\n\tENDIF\n\tENDM\n"
        "START:\tLXI SP,STACK\n";
    long written = 10;
    for (long k = 0; written < lines; ++k) {
        src += "L" + std::to_string(k) + ":\tDELAY " + std::to_string(k % 200 + 1) + ",B\n";
        src += "\tPUT " + std::to_string(k * 7 % 600) + "\n";
        src += "\tCALL L" + std::to_string((k * 13) % (k + 1)) + " ; back\n";
        src += "\tDB " + std::to_string(k % 256) + ",'x',HIGH $\n";
        written += 4;
        if (k % 50 == 0) {
            src += "N\tSET 0\n\tREPT 4\nN\tSET N+1\n\tDB N\n\tENDM\n";
            written += 6;
        }
    }
    src += "\tEND START\n";

    const int rounds = 5;
    std::vector<double> ms;
    size_t errors = 0;
    for (int r = 0; r < rounds; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        const auto result = orlan::asm8080::assemble(src, "bench.asm");
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        errors = result.errors.size();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("source: %ld lines, %zu bytes; errors: %zu\n", written + 1, src.size(), errors);
    std::printf("assemble: best %.1f ms, median %.1f ms (%d rounds)\n", ms.front(),
                ms[ms.size() / 2], rounds);
    return errors == 0 ? 0 : 1;
}
