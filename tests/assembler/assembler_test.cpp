// Directives, expressions, macros, errors and the listing of the assembler; the disassembler's
// round trip.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "Assembler.h"
#include "image_hex.h"
#include "Disassembler.h"

namespace orlan::asm8080 {
namespace {

using test::hexOf;

// All written bytes in address order, as hex.
std::string writtenBytes(const AssemblyResult& r) {
    std::string s;
    for (unsigned a = 0; a < 65536; ++a)
        if (r.written[a]) s += hexOf(r, static_cast<uint16_t>(a), 1);
    return s;
}

std::string errorsOf(const AssemblyResult& r) {
    std::string s;
    for (const Diagnostic& d : r.errors) s += formatDiagnostic(d) + "\n";
    return s;
}

struct Program {
    const char* name;
    const char* source;
    const char* bytes;  // every written byte in address order
};

TEST(Assembler, ProgramsGiveTheirBytes) {
    const Program kPrograms[] = {
        // numbers in every notation
        {"numbers", " DB 10, 10H, 0AH, 1010B, 12O, 12Q, 10D, 0x1F, 'A', ''''", "0A100A0A0A0A0A1F4127"},
        // precedence: * before +, comparisons below arithmetic, NOT below comparisons, AND before OR
        {"precedence",
         " DB 2+3*4, (2+3)*4, 17 MOD 5+1, 1 SHL 3+1, 1+1 EQ 2, NOT 0 AND 0FH, 1 OR 2 AND 0, "
         "HIGH 1234H+1, -1, 100/7, 6 XOR 3, 5 LT 6, 5 GE 6",
         "0E1403 09FF0F0113FF0E05FF00"},
        {"words", " DW 1234H, -2, 'AB'", "3412FEFF4241"},
        {"strings", " DB 'Hi',0,\"A,;B\",'it''s'", "486900412C3B42697427 73"},
        {"labels and $",
         " ORG 10H\nSTART: JMP NEXT\nNEXT JMP $\nALONE\n DW ALONE, START",
         "C31300C313001600 1000"},
        {"equ set defl",
         "K EQU 5\nV SET K\nV SET V+1\nW DEFL V*2\n DB K,V,W\nV = 1\n DB V", "05060C01"},
        {"ds with fill and forward org", " DS 2,0E5H\n DS 1\n DB 1\n ORG LATER\nLATER EQU 8\n DB 2",
         "E5E50102"},
        {"if else nested and on $",
         " ORG 100H\n IF $ EQ 100H\n IF 0\n DB 1\n ELSE\n DB 2\n ENDIF\n ELSE\n DB 3\n ENDIF\n"
         " IF 0\n this line is not parsed at all ''\n ENDIF",
         "02"},
        {"macro forms, locals and angle brackets",
         "PAIR MACRO X,Y\n LOCAL L\nL: DB X\n DB Y\n DW L\n ENDM\n"
         " MACRO TWO A\n PAIR <A>,A\n ENDM\n"
         " PAIR 1,2\n PAIR <0,-1>,'<,>'\n TWO 7",
         "01020000 00FF3C2C3E0400 07070B00"},
        {"register-named parameters and exitm",
         "LD MACRO R,V\n IF V EQ 0\n XRA R\n EXITM\n ENDIF\n MVI R,V\n ENDM\n LD A,0\n LD B,3",
         "AF0603"},
        {"rept irp irpc and a counter",
         "N SET 0\n REPT 3\nN SET N+1\n DB N\n ENDM\n IRP X,<4,5>\n DB X\n ENDM\n IRPC C,AB\n DB "
         "'&C'\n ENDM",
         "010203040541 42"},
        {"nested macro calls",
         "IN1 MACRO V\n DB V+1\n ENDM\nOUT1 MACRO V\n IN1 V\n IN1 V*2\n ENDM\n OUT1 3", "0407"},
        {"ignored controls and comment lines",
         "* comment\n TITLE 'x'\n PAGE 60\n EJECT\n NAME X\n .8080\n ASEG\n .LIST\n .XLIST\n NOP ; end",
         "00"},
        {"Intel and MAC control lines; M80 names may still begin with $",
         "$TITLE('X')\n$ NOLIST NOGEN\n$-MACRO\n$MOD85\n DB 1\n$NAME: DB 2\n$K EQU 3\n DB $K",
         "010203"},
        {"M80 comment blocks, over lines and on one",
         " .COMMENT *\n DB 9! DB 9\n DB 9 * DB 9\n DB 1\n .COMMENT % DB 9 %\n DB 2", "0102"},
        {"byte range edges", " DB -256, 255, -1\n MVI A,-128", "00FFFF3E80"},
        {"end stops the source", " DB 1\n END\n DB 2", "01"},
    };
    for (const Program& p : kPrograms) {
        AssemblyResult r = assemble(p.source, "t.asm");
        std::string expected = p.bytes;
        std::erase(expected, ' ');
        EXPECT_TRUE(r.ok()) << p.name << "\n" << errorsOf(r);
        EXPECT_EQ(writtenBytes(r), expected) << p.name;
    }
}

// Forms of the CP/M sources (DRI's ASM and MAC): statements, names and macro arguments.
TEST(Assembler, DigitalResearchFormsGiveTheirBytes) {
    const Program kPrograms[] = {
        {"! separates statements, not in quotes or the comment",
         " MOV A,M! ORA A! RZ\n DB 'a!b'! NOP ; c! HLT", "7EB7C8 612162 00"},
        {"$ inside names and numbers is only for reading",
         "PAGE$ON EQU 3\n DB PAGEON, page$on, 1111$0000B, 0F$FH", "0303F0FF"},
        {"register names are values in expressions", " DB B,C,D,E,H,L,M,A,SP,PSW, 5CH+L",
         "0001020304050607 0606 61"},
        {"a user symbol named like a register wins", "H EQU 0AAH\n DB H", "AA"},
        {"DB '' puts nothing", " DB 1,'',2", "0102"},
        {"NUL tests an empty argument",
         "M MACRO X\n IF NUL X\n DB 1\n ELSE\n DB X\n ENDIF\n ENDM\n M\n M 5", "0105"},
        {"%expression passes its decimal value",
         "N EQU 3\nM MACRO V\n DB '&V'\n ENDM\n M %N*4", "3132"},
        {"^ takes a character as it is and keeps a parameter's name",
         "M MACRO X\n DB '&X'\n ENDM\nP MACRO X\n M ^X\n ENDM\n M <a^>b^^>\n P 1",
         "613E625E 58"},
        {"an argument is read again for LOCAL names",
         "M MACRO V\n LOCAL L\nL EQU 7\n DB V\n ENDM\n M L+1", "08"},
    };
    for (const Program& p : kPrograms) {
        AssemblyResult r = assemble(p.source, "t.asm");
        std::string expected = p.bytes;
        std::erase(expected, ' ');
        EXPECT_TRUE(r.ok()) << p.name << "\n" << errorsOf(r);
        EXPECT_EQ(writtenBytes(r), expected) << p.name;
    }
    // Arguments naming each other double at every name: the line is cut, not the memory.
    std::string params = "P0", args = "P1 P1";
    for (int k = 1; k < 40; ++k) {
        params += ",P" + std::to_string(k);
        args += ",P" + std::to_string(k + 1) + " P" + std::to_string(k + 1);
    }
    EXPECT_NE(errorsOf(assemble("M MACRO " + params + "\n DB P0\n ENDM\n M " + args, "t"))
                  .find("слишком длинная строка после подстановки аргументов"),
              std::string::npos);
    // The statements of one line are one line of the listing.
    EXPECT_NE(assemble(" RRC! RRC", "t").listing.find("  0000 0F0F         1   RRC! RRC\n"),
              std::string::npos);
    // MAC closes the conditionals a macro left open; that is only a warning.
    AssemblyResult open = assemble("M MACRO\n IF 1\n DB 1\n ENDM\n M\n DB 2", "t");
    EXPECT_TRUE(open.ok()) << errorsOf(open);
    EXPECT_EQ(writtenBytes(open), "0102");
    ASSERT_EQ(open.warnings.size(), 1u);
    EXPECT_EQ(open.warnings[0].message, "IF без ENDIF (в макрокоманде M)");
}

TEST(Assembler, StartSymbolsAndMaps) {
    AssemblyResult r = assemble(
        "\tORG 200H\nBEGIN:\tMVI A,1\n\tDB 5\nEND1:\tHLT\n\tEND BEGIN\n", "t.asm");
    ASSERT_TRUE(r.ok()) << errorsOf(r);
    EXPECT_EQ(r.start, 0x200);
    const std::vector<std::pair<std::string, uint16_t>> symbols = {{"BEGIN", 0x200},
                                                                   {"END1", 0x203}};
    EXPECT_EQ(r.symbols, symbols);
    EXPECT_EQ(r.lineOfAddress[0x200], 2);
    EXPECT_EQ(r.lineOfAddress[0x201], 2);
    EXPECT_EQ(r.lineOfAddress[0x202], 3);
    EXPECT_EQ(r.lineOfAddress[0x204], 0);
    EXPECT_EQ(r.instructionStarts, (std::vector<uint16_t>{0x200, 0x203}));
    // Without END the first ORG is the start.
    EXPECT_EQ(assemble(" ORG 300H\n NOP\n ORG 10H\n NOP", "t").start, 0x300);
}

TEST(Assembler, ListingShowsAddressBytesLineAndSource) {
    AssemblyResult r = assemble(" ORG 100H\nX: LXI H,1234H\n DB 1,2,3,4,5\nK EQU 7\n", "t.asm");
    ASSERT_TRUE(r.ok());
    EXPECT_NE(r.listing.find("  0100 213412       2  X: LXI H,1234H\n"), std::string::npos)
        << r.listing;
    EXPECT_NE(r.listing.find("  0103 01020304     3   DB 1,2,3,4,5\n  0107 05\n"),
              std::string::npos)
        << r.listing;
    EXPECT_NE(r.listing.find(" = 0007"), std::string::npos) << r.listing;
}

TEST(Assembler, EveryErrorIsReportedWithItsPlace) {
    struct ErrorCase {
        const char* source;
        int line, column;
        const char* message;
    };
    const ErrorCase kErrors[] = {
        {" NOP\n JMP LOOP1", 2, 6, "неопределённый символ \"LOOP1\""},
        {"A1: NOP\nA1: NOP", 2, 1, "символ \"A1\" уже определён"},
        {" MVI A,300", 1, 8, "значение 300 не помещается в байт"},
        {" DB 256", 1, 5, "значение 256 не помещается в байт"},
        {" MOV M,M", 1, 2, "неверный операнд для MOV"},
        {" PUSH SP", 1, 2, "неверный операнд для PUSH"},
        {" LDAX H", 1, 2, "неверный операнд для LDAX"},
        {" RST 8", 1, 2, "неверный операнд для RST"},
        {" MVI A", 1, 2, "неверный операнд для MVI"},
        {" FOO 1", 1, 2, "неизвестная команда \"FOO\""},
        {" NOP! FOO", 1, 7, "неизвестная команда \"FOO\""},
        {" DB 12G", 1, 5, "неверное число \"12G\""},
        {" DB 70000", 1, 5, "неверное число \"70000\""},
        {" DB (1+2", 1, 9, "не закрыта скобка"},
        {" DB 'abc", 1, 5, "не закрыта кавычка"},
        {" DB 1/0", 1, 6, "деление на ноль"},
        {" DB 1 2", 1, 7, "ошибка в выражении"},
        {" NOP\n IF 1\n NOP", 2, 2, "IF без ENDIF"},
        {" ELSE", 1, 2, "ELSE без IF"},
        {" ENDIF", 1, 2, "ENDIF без IF"},
        {"M MACRO\n NOP", 1, 1, "MACRO без ENDM"},
        {" ENDM", 1, 2, "ENDM без MACRO"},
        {" EQU 5", 1, 2, "нужно имя"},
        {"K EQU 1\nK SET 2", 2, 1, "символ, определённый через EQU, нельзя переопределить"},
        {" EXITM", 1, 2, "EXITM вне макрокоманды"},
        {" LOCAL X", 1, 2, "LOCAL вне макрокоманды"},
        {" ORG 0FFFFH\n DW 1", 2, 2, "код выходит за адрес FFFFh"},
        {" ERROR 'stop here'", 1, 2, "ERROR: stop here"},
        {"$INCLUDE(:F1:MACROS.SRC)", 1, 2, "неизвестная команда \"INCLUDE\""},
        {" NOP\n .COMMENT *\n never closed", 2, 2, "неверный операнд для .COMMENT"},
        {"R MACRO\n R\n ENDM\n R", 4, 2, "слишком глубокая вложенность макрокоманд (в макрокоманде R)"},
        {" REPT 60000\n REPT 60000\n NOP\n ENDM\n ENDM", 1, 2,
         "слишком много строк после раскрытия макрокоманд"},
        {" ORG X\nX EQU $+1", 0, 0, "адреса не устанавливаются: ORG или DS зависят от самих себя"},
    };
    for (const ErrorCase& e : kErrors) {
        AssemblyResult r = assemble(e.source, "src.asm");
        ASSERT_FALSE(r.ok()) << e.source;
        bool found = false;
        for (const Diagnostic& d : r.errors)
            if (d.message == e.message) {
                found = true;
                if (e.line) {
                    EXPECT_EQ(d.line, e.line) << e.source;
                    EXPECT_EQ(d.column, e.column) << e.source;
                }
                EXPECT_EQ(d.file, "src.asm");
            }
        EXPECT_TRUE(found) << e.source << "\n" << errorsOf(r);
    }
}

TEST(Assembler, AllErrorsAreReportedAndFormatted) {
    AssemblyResult r = assemble(" JMP X1\n MVI A,999\n MOV A,Q", "prog.asm");
    ASSERT_EQ(r.errors.size(), 3u) << errorsOf(r);
    EXPECT_EQ(formatDiagnostic(r.errors[0]), "prog.asm:1:6: error: неопределённый символ \"X1\"");
    // Overlapping code is a warning, the bytes of the later code win.
    AssemblyResult w = assemble(" ORG 0\n DB 1,2\n ORG 1\n DB 3", "t");
    EXPECT_TRUE(w.ok());
    ASSERT_EQ(w.warnings.size(), 1u);
    EXPECT_EQ(w.image[1], 3);
}

// Garbage must end in errors, never in a crash or a hang.
TEST(Assembler, SurvivesRandomInput) {
    std::mt19937 rng(11);
    const char* kWords[] = {"MACRO", "ENDM", "REPT", "IRP", "IRPC", "IF", "ELSE", "ENDIF", "DB",
                            "DS", "ORG", "EQU", "SET", "LOCAL", "EXITM", "M", "X", "$", "<", ">",
                            ",", "'", "(", ")", "-", "*", "0FFFFH", "60000", "\n", "\n", " ", ":",
                            "MOV", "A", "END", "&", ";"};
    for (int round = 0; round < 300; ++round) {
        std::string src;
        const int n = static_cast<int>(rng() % 80);
        for (int k = 0; k < n; ++k) {
            if (round % 3 == 0) {
                src += static_cast<char>(rng() % 256);
            } else {
                src += std::string(kWords[rng() % std::size(kWords)]) + " ";
            }
        }
        AssemblyResult r = assemble(src, "f");
        EXPECT_EQ(r.written.size(), 65536u);
    }
}

TEST(Disassembler, RoundTripIsTheIdentityOnRandomImages) {
    std::mt19937 rng(2026);
    std::array<uint8_t, 65536> memory{};
    for (int round = 0; round < 40; ++round) {
        for (auto& b : memory) b = static_cast<uint8_t>(rng());
        // Some jumps into the range, so labels appear.
        const uint16_t from = static_cast<uint16_t>(rng() % 65000);
        const uint16_t to = static_cast<uint16_t>(from + rng() % 500);
        for (int k = 0; k < 20; ++k) {
            const uint16_t a = static_cast<uint16_t>(from + rng() % (to - from + 1));
            memory[a] = 0xC3;
            const uint16_t target = static_cast<uint16_t>(from + rng() % (to - from + 1));
            memory[static_cast<uint16_t>(a + 1)] = static_cast<uint8_t>(target);
            memory[static_cast<uint16_t>(a + 2)] = static_cast<uint8_t>(target >> 8);
        }
        const std::string source = disassemble(memory.data(), from, to);
        AssemblyResult r = assemble(source, "d.asm");
        ASSERT_TRUE(r.ok()) << errorsOf(r) << source;
        for (unsigned a = 0; a < 65536; ++a) {
            const bool inside = a >= from && a <= to;
            ASSERT_EQ(r.written[a], inside) << a;
            if (inside) {
                ASSERT_EQ(r.image[a], memory[a]) << a << "\n" << source;
            }
        }
    }
    // The very end of memory too: an instruction that would run past it is DB.
    memory[0xFFFE] = 0xC3;
    memory[0xFFFF] = 0x00;
    AssemblyResult r = assemble(disassemble(memory.data(), 0xFFFE, 0xFFFF), "d");
    ASSERT_TRUE(r.ok()) << errorsOf(r);
    EXPECT_EQ(r.image[0xFFFE], 0xC3);
}

TEST(Disassembler, LabelsJumpTargetsAndMarksUndefinedOpcodes) {
    const uint8_t program[] = {0x3E, 0x05, 0x3D, 0xC2, 0x02, 0x01, 0x08, 0xCD};
    std::array<uint8_t, 65536> memory{};
    std::copy(std::begin(program), std::end(program), memory.begin() + 0x100);
    const std::string text = disassemble(memory.data(), 0x100, 0x107);
    EXPECT_EQ(text,
              "\tORG\t0100H\n\tMVI\tA,05H\nL0102:\n\tDCR\tA\n\tJNZ\tL0102\n\tDB\t08H,0CDH\n");
}

}  // namespace
}  // namespace orlan::asm8080
