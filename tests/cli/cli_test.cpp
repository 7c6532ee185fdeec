// orlan-cli as a user runs it: arguments in, trace lines, stderr and exit status out.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string out, err;

    std::vector<std::string> lines() const {
        std::vector<std::string> v;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) v.push_back(line);
        return v;
    }
};

std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char ch : s) q += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return q + "'";
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + what.size()))
        ++n;
    return n;
}

// The line with its "t" replaced and its "msg" emptied, for comparing what a tact changed.
std::string withoutCounterAndMessages(std::string line) {
    line.erase(0, line.find(",\"op\""));
    line.erase(line.rfind(",\"msg\""));
    return line;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("orlan-cli-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    void writeBytes(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> readBytes(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // stdoutTo: where standard output goes instead of the file read back into out.
    Result run(const std::vector<std::string>& args, const std::string& stdoutTo = {}) const {
        std::string cmd = shellQuote(ORLAN_CLI_PATH);
        for (const auto& a : args) cmd += ' ' + shellQuote(a);
        cmd += " >" + shellQuote(stdoutTo.empty() ? path("stdout") : stdoutTo) + " 2>" +
               shellQuote(path("stderr")) + " </dev/null";
        Result r;
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        auto slurp = [&](const std::string& name) {
            std::ifstream in(path(name), std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        r.out = slurp("stdout");
        r.err = slurp("stderr");
        return r;
    }

    fs::path dir;
};

const std::string kHaltTitle = "ОРЛАН - Останов";
const std::string kHaltStopText = "Произошёл останов выполнения программы по команде 76h HLT.";
const std::string kHaltQuestionText = "Микропроцессор находится в состоянии останова";
const std::string kUndefinedText = "при попытке выполнить несуществующую команду с кодом 08h.";

TEST_F(CliTest, FirstTactAfterStartUpIsTheDocumentedLine) {
    const Result r = run({"--tacts", "1", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const std::string expected =
        R"json({"t":1,"op":0,"pc":0,"sp":65535,"el":{"Data_Buf":"00","RegA_Val":"00","Buf_Reg_1":"00","Buf_Reg_2":"00","Flags_Reg":"00000010","Cmd_Reg":"00","Cmd_DC":"","Addr_Buf":"0000*","Status_Reg":"00000000","PSW_Label":"","RegW_Val":"00","RegZ_Val":"00","RegB_Val":"00","RegC_Val":"00","RegD_Val":"00","RegE_Val":"00","RegH_Val":"00","RegL_Val":"00","SP_Val":"FFFF","PC_Val":"0000*","Cycle_Num":"1","Time_Num":"1","INC_DEC_Syst":""},"lamps":"F2 SYNC READY INTE WR","mem":[],"out":[],"msg":[]})json";
    EXPECT_EQ(r.out, expected + "\n");
}

TEST_F(CliTest, DemoProgramRunsToHaltAndCallsTheMonitor) {
    // MVI A,41h (7 tacts); OUT 00h (8); HLT (4).
    const Result r = run({"--poke", "0000=3E41D30076", "--run", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 19u);
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        EXPECT_EQ(lines[i].rfind("{\"t\":" + std::to_string(i + 1) + ",", 0), 0u);
        // The halt message that ends the run belongs to no line.
        EXPECT_NE(lines[i].find("\"msg\":[]}"), std::string::npos);
        if (i == 14) {
            EXPECT_NE(lines[i].find("\"t\":15,\"op\":-1,\"pc\":4,"), std::string::npos);
            EXPECT_NE(lines[i].find("\"Time_Num\":\"8\""), std::string::npos);
            EXPECT_NE(lines[i].find("\"PSW_Label\":\"Запись в УВВ*\""), std::string::npos);
            EXPECT_NE(lines[i].find("\"out\":[[0,65]]"), std::string::npos);
        } else {
            EXPECT_NE(lines[i].find("\"out\":[]"), std::string::npos);
        }
    }
    EXPECT_NE(lines[18].find("\"t\":19,\"op\":-1,\"pc\":5,"), std::string::npos);
    EXPECT_NE(lines[18].find("\"lamps\":\"F2 SYNC READY HLDA INTE WR\""), std::string::npos);
    EXPECT_EQ(r.err.rfind(kHaltTitle + "\n" + kHaltStopText + "\n", 0), 0u);
    EXPECT_EQ(count(r.err, kHaltTitle), 1u);
}

TEST_F(CliTest, MemoryWritesAreListedInTheirTact) {
    // MVI M,5Ah with HL = 1234h: tact 9 writes the cell.
    const Result r = run({"--poke", "0000=365A", "--set", "H=12", "--set", "L=34", "--instructions",
                          "1", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 10u);
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_NE(lines[i].find(i == 8 ? "\"mem\":[[4660,90]]" : "\"mem\":[]"), std::string::npos)
            << lines[i];
}

TEST_F(CliTest, RunStartedWhileHaltedPrintsNoLine) {
    const Result r = run({"--poke", "0000=76", "--instructions", "1", "--run", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines().size(), 4u);  // the HLT only
    EXPECT_EQ(count(r.err, kHaltStopText), 1u);
    EXPECT_EQ(count(r.err, kHaltQuestionText), 0u);
}

TEST_F(CliTest, TactsWhileHaltedOnlyAskTheQuestion) {
    const Result r =
        run({"--poke", "0000=76", "--instructions", "1", "--tacts", "3", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 7u);
    for (size_t i = 4; i < 7; ++i) {
        EXPECT_EQ(lines[i].rfind("{\"t\":" + std::to_string(i + 1) + ",", 0), 0u);
        EXPECT_NE(lines[i].find("\"msg\":[\"" + kHaltTitle + "\"]}"), std::string::npos);
        EXPECT_EQ(withoutCounterAndMessages(lines[i]), withoutCounterAndMessages(lines[3]));
    }
}

// The same box tact after tact is written once, then counted; each execution option on its own.
TEST_F(CliTest, RepeatedMessagesAreWrittenOnceThenCounted) {
    struct Case {
        std::vector<std::string> args;
        std::string text;
        std::string count;
        size_t times;  // how often the box and the count are written
    };
    const Case cases[] = {
        {{"--poke", "0000=76", "--instructions", "1", "--tacts", "3"},
         kHaltQuestionText,
         "(the message above 2 more times)\n", 1},
        {{"--poke", "0000=08", "--tacts", "40", "--trace", "jsonl"},
         kUndefinedText,
         "(the message above 9 more times)\n", 1},
        {{"--poke", "0000=76", "--instructions", "1", "--tacts", "2", "--tacts", "2"},
         kHaltQuestionText,
         "(the message above 1 more time)\n", 2},
    };
    for (const Case& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(count(r.err, c.text), c.times) << r.err;
        EXPECT_EQ(count(r.err, c.count), c.times) << r.err;
        EXPECT_EQ(r.err.substr(r.err.size() - c.count.size()), c.count);
    }
}

// A trace or usage text that cannot be written is an error, not a normal end.
TEST_F(CliTest, OutputThatCannotBeWrittenExitsWithOneLine) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--poke", "0000=00", "--tacts", "100000", "--trace", "jsonl"},
          std::vector<std::string>{"--tacts", "1", "--trace", "table"},
          std::vector<std::string>{"--help"}}) {
        SCOPED_TRACE(args.front());
        const Result r = run(args, "/dev/full");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(count(r.err, "\n"), 1u) << r.err;
        EXPECT_EQ(r.err.rfind("orlan-cli: cannot write standard output", 0), 0u) << r.err;
    }
}

TEST_F(CliTest, InstructionsStopAtTheFirstHaltQuestion) {
    const Result r = run({"--poke", "0000=76", "--instructions", "5", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_NE(lines[4].find("\"msg\":[\"" + kHaltTitle + "\"]"), std::string::npos);
    EXPECT_EQ(count(r.err, kHaltQuestionText), 1u);
}

TEST_F(CliTest, UndefinedOpcodeEndsTheRunButNotTheInvocation) {
    for (bool traced : {true, false}) {
        SCOPED_TRACE(traced ? "traced" : "untraced");
        std::vector<std::string> args = {"--poke", "0000=08", "--run",      "--tacts",
                                         "6",      "--save",  path("s.vst")};
        if (traced) args.insert(args.end(), {"--trace", "jsonl"});
        const Result r = run(args);
        EXPECT_EQ(r.status, 1);
        // The run's four tacts, then the six tacts: the opcode is met again in the fourth of them.
        EXPECT_EQ(count(r.err, kUndefinedText), 2u);
        if (traced) {
            const auto lines = r.lines();
            ASSERT_EQ(lines.size(), 10u);
            EXPECT_NE(lines[3].find("\"op\":-1,\"pc\":0,"), std::string::npos);
            EXPECT_NE(lines[3].find("\"msg\":[\"ОРЛАН - Ошибка!\"]"), std::string::npos);
            EXPECT_NE(lines[7].find("\"msg\":[\"ОРЛАН - Ошибка!\"]"), std::string::npos);
            EXPECT_NE(lines[9].find("\"t\":10,\"op\":8,"), std::string::npos);
        } else {
            EXPECT_EQ(r.out, "");
        }
        EXPECT_EQ(fs::file_size(path("s.vst")), 65549u);
    }
}

TEST_F(CliTest, MaxTactsBoundsEachRunEvenMidInstruction) {
    // MVI A,05h then NOPs: the first run stops in MVI's tact 5, the second goes on from there.
    const Result r =
        run({"--poke", "0000=3E05", "--max-tacts", "5", "--run", "--run", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_NE(lines[4].find("\"t\":5,\"op\":62,\"pc\":1,"), std::string::npos);
    EXPECT_NE(lines[4].find("\"Time_Num\":\"5\""), std::string::npos);
    EXPECT_NE(lines[6].find("\"t\":7,\"op\":-1,\"pc\":2,"), std::string::npos);
    EXPECT_NE(lines[9].find("\"t\":10,\"op\":0,\"pc\":2,"), std::string::npos);
    EXPECT_NE(lines[9].find("\"Time_Num\":\"3\""), std::string::npos);

    // Untraced, the instruction is left in progress the same way: PC is 0001 after tact 5.
    const Result u =
        run({"--poke", "0000=3E05", "--max-tacts", "5", "--run", "--save", path("u.vst")});
    EXPECT_EQ(u.status, 0);
    const auto image = readBytes("u.vst");
    ASSERT_EQ(image.size(), 65549u);
    EXPECT_EQ(image[65536], 0x00);  // A not loaded yet
    EXPECT_EQ(image[65545], 0x01);
    EXPECT_EQ(image[65546], 0x00);
}

TEST_F(CliTest, TracedAndUntracedRunsEndInTheSameState) {
    // MVI A,05h; MOV B,A; MOV C,B; MOV D,C; undefined 08h.
    const std::vector<std::string> common = {"--poke",
                                             "0000=3E0547485108",
                                             "--max-tacts",
                                             "9",
                                             "--run",
                                             "--run",
                                             "--run",
                                             "--tacts",
                                             "3",
                                             "--instructions",
                                             "1"};
    auto withSave = [&](const std::string& file, bool traced) {
        std::vector<std::string> a = common;
        a.insert(a.end(), {"--save", path(file)});
        if (traced) a.insert(a.end(), {"--trace", "jsonl"});
        return run(a);
    };
    const Result traced = withSave("t.vst", true), untraced = withSave("u.vst", false);
    EXPECT_EQ(traced.status, 1);
    EXPECT_EQ(untraced.status, 1);
    EXPECT_EQ(traced.err, untraced.err);
    const auto image = readBytes("t.vst");
    EXPECT_EQ(image, readBytes("u.vst"));
    ASSERT_EQ(image.size(), 65549u);
    EXPECT_EQ(image[65536], 0x05);  // A
    EXPECT_EQ(image[65537], 0x05);  // B
    EXPECT_EQ(image[65538], 0x05);  // C
    EXPECT_EQ(image[65539], 0x05);  // D
}

TEST_F(CliTest, BreakStopsEveryRunBeforeItsFetchTracedOrNot) {
    // 0000 INR A; 0001 JMP 0000h: each --run stops at 0001 after one more INR.
    for (bool traced : {false, true}) {
        std::vector<std::string> a = {"--poke", "0000=3CC30000", "--break", "0001", "--break", "1234",
                                      "--run", "--run", "--save", path(traced ? "t.vst" : "u.vst")};
        if (traced) a.insert(a.end(), {"--trace", "jsonl"});
        const Result r = run(a);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(count(r.err, "stopped at breakpoint 0001"), 2u) << r.err;
        EXPECT_EQ(r.lines().empty(), !traced);
        // Every tact has its line, the last one before each stop included: INR A (5 tacts), then
        // JMP (10) and INR A again.
        if (traced) {
            EXPECT_EQ(r.lines().size(), 20u);
        }
        const auto image = readBytes(traced ? "t.vst" : "u.vst");
        ASSERT_EQ(image.size(), 65549u);
        EXPECT_EQ(image[65536], 0x02);  // A: one INR per run
    }
    EXPECT_EQ(readBytes("t.vst"), readBytes("u.vst"));
    EXPECT_EQ(run({"--break", "12"}).status, 2);
}

TEST_F(CliTest, BadInputStopsBeforeAnyTactWithOneLine) {
    writeBytes("short.vst", std::vector<uint8_t>(65548));
    writeBytes("long.vst", std::vector<uint8_t>(65550));
    writeBytes("sixteen.vsp", std::vector<uint8_t>(16, 0x76));
    writeBytes("plain", {1});
    const std::string underAFile = path("plain") + "/x";
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"stray"},
        {"--tacts"},
        {"--tacts", "x"},
        {"--tacts", "-1"},
        {"--max-tacts", ""},
        {"--trace", "xml"},
        {"--run=1"},
        {"--poke", "0000=3G"},
        {"--poke", "000=3E"},
        {"--poke", "00000=3E"},
        {"--poke", "0000=3E4"},
        {"--poke", "0000="},
        {"--poke", "00003E"},
        {"--set", "A=100"},
        {"--set", "SP=10000"},
        {"--set", "Q=1"},
        {"--set", "A"},
        {"--flags", "0101"},
        {"--flags", "0000000a"},
        {"--port-out", "0=" + path("p")},
        {"--port-out", "00=" + underAFile},
        {"--load", "FFF=" + path("sixteen.vsp")},
        {"--load", "FFF1=" + path("sixteen.vsp")},
        {"--load", "0000=" + path("missing.vsp")},
        {"--state", path("missing.vst")},
        {"--state", path("short.vst")},
        {"--state", path("long.vst")},
        {"--state", dir.string()},
        {"--save", underAFile},
        {"--save", dir.string()},
        // Every output is checked before the first is created.
        {"--port-out", "00=" + path("a.bin"), "--save", dir.string()},
        {"--port-out", "00=" + path("a.bin"), "--port-out", "01=" + underAFile},
        {"--port-out", "00=" + path("a.bin"), "--state", path("short.vst")},
        {"--export", "pdf=" + path("x")},
        {"--export", "txt="},
        {"--export", "txt=" + path("a"), "--export", "txt=" + path("b")},
        {"--export", "txt=" + underAFile},
        {"--export", "txt=" + path("a"), "--page", "P:0000-FFF:a"},
        {"--export", "txt=" + path("a"), "--page", "P:0000FFFF:a"},
        {"--export", "txt=" + path("a"), "--page", "0000-FFFF:a"},
        {"--export", "txt=" + path("a"), "--page", "P:0000-FFFF:avx"},
        {"--export", "txt=" + path("a"), "--registers", "A,,B"},
        {"--export", "txt=" + path("a"), "--registers", "A,M"},
        {"--page", "P:0000-FFFF:a"},
        {"--registers", "A"},
    };
    for (auto args : cases) {
        std::string shown;
        for (const auto& a : args) shown += a + ' ';
        SCOPED_TRACE(shown);
        args.insert(args.end(), {"--tacts", "1", "--trace", "jsonl"});
        const Result r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(count(r.err, "\n"), 1u) << r.err;
        EXPECT_EQ(r.err.back(), '\n');
        EXPECT_FALSE(fs::exists(path("a.bin")));  // a refused invocation leaves no file behind
    }
}

TEST_F(CliTest, SubprogramFitsExactlyUpToFFFF) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 16; ++i) bytes.push_back(static_cast<uint8_t>(0xA0 + i));
    writeBytes("sixteen.vsp", bytes);
    const Result r = run({"--load", "FFF0=" + path("sixteen.vsp"), "--save", path("s.vst")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const auto image = readBytes("s.vst");
    ASSERT_EQ(image.size(), 65549u);
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + 0xFFF0, image.begin() + 0x10000), bytes);
    EXPECT_EQ(image[0xFFEF], 0x00);
}

TEST_F(CliTest, StateFileRoundTripAndRegistersInTheTrace) {
    std::vector<uint8_t> image(65549);
    for (size_t i = 0; i < 65536; ++i) image[i] = static_cast<uint8_t>(i ^ (i >> 8));
    const uint8_t regs[] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                            0x88, 0x99, 0x34, 0x12, 0xCD, 0xAB};
    std::copy(std::begin(regs), std::end(regs), image.begin() + 65536);
    writeBytes("in.vst", image);

    const Result copy = run({"--state", path("in.vst"), "--save", path("out.vst")});
    EXPECT_EQ(copy.status, 0);
    EXPECT_EQ(readBytes("out.vst"), image);

    const Result r = run({"--state", path("in.vst"), "--tacts", "1", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 1u);
    // Cell 1234h holds 34h ^ 12h = 26h, the opcode fetched.
    for (const char* part :
         {"\"op\":38,\"pc\":4660,\"sp\":43981,", "\"RegA_Val\":\"11\"", "\"Addr_Buf\":\"1234*\"",
          "\"RegW_Val\":\"88\",\"RegZ_Val\":\"99\",\"RegB_Val\":\"22\",\"RegC_Val\":\"33\",\"RegD_"
          "Val\":\"44\","
          "\"RegE_Val\":\"55\",\"RegH_Val\":\"66\",\"RegL_Val\":\"77\",\"SP_Val\":\"ABCD\",\"PC_"
          "Val\":\"1234*\""})
        EXPECT_NE(lines[0].find(part), std::string::npos) << part;

    // Later settings override the state file.
    const Result o =
        run({"--state", path("in.vst"), "--poke", "FFFF=0102", "--set", "a=5", "--set", "A=6",
             "--set", "l=", "--set", "sp=12", "--set", "PC=0100", "--save", path("o.vst")});
    EXPECT_EQ(o.status, 0);
    const auto saved = readBytes("o.vst");
    ASSERT_EQ(saved.size(), 65549u);
    EXPECT_EQ(saved[0xFFFF], 0x01);
    EXPECT_EQ(saved[0x0000], 0x02);  // the poke wrapped
    EXPECT_EQ(saved[0x0001], image[0x0001]);
    const std::vector<uint8_t> expectRegs = {0x06, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00,
                                             0x88, 0x99, 0x00, 0x01, 0x12, 0x00};
    EXPECT_EQ(std::vector<uint8_t>(saved.begin() + 65536, saved.end()), expectRegs);
}

TEST_F(CliTest, FlagsSetTheRegisterAndTheFlagLamps) {
    const Result r = run({"--flags", "11010101", "--tacts", "1", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"Flags_Reg\":\"11010101\""), std::string::npos);
    EXPECT_NE(r.out.find("\"lamps\":\"Z S P C AC F2 SYNC READY INTE WR\""), std::string::npos);

    const Result z = run({"--flags", "01000000", "--tacts", "1", "--trace", "jsonl"});
    EXPECT_NE(z.out.find("\"lamps\":\"Z F2 SYNC READY INTE WR\""), std::string::npos);
}

TEST_F(CliTest, PortOutputFilesGetTheDeviceBytes) {
    // MVI A,41h; OUT 00h; MVI A,42h; OUT 04h; OUT 05h; OUT 00h; HLT
    const std::string program = "0000=3E41D3003E42D304D305D30076";
    writeBytes("monitor.bin", {'x', 'y'});
    const Result r = run({"--poke", program, "--port-out", "00=" + path("monitor.bin"),
                          "--port-out", "04=" + path("printer.bin"), "--port-out",
                          "05=" + path("none.bin"), "--port-out", "00=" + path("both.bin"),
                          "--port-out", "04=" + path("both.bin"), "--run", "--trace", "jsonl"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(readBytes("monitor.bin"), (std::vector<uint8_t>{'x', 'y', 0x41, 0x42}));
    EXPECT_EQ(readBytes("printer.bin"), (std::vector<uint8_t>{0x42}));
    EXPECT_TRUE(fs::exists(path("none.bin")));
    EXPECT_EQ(fs::file_size(path("none.bin")), 0u);
    EXPECT_EQ(readBytes("both.bin"), (std::vector<uint8_t>{0x41, 0x42, 0x42}));

    // The same file named twice for one port still gets each byte once.
    const Result twice = run({"--poke", "0000=3E41D30076", "--port-out", "00=" + path("twice.bin"), "--port-out",
                              "00=" + path("twice.bin"), "--run"});
    EXPECT_EQ(twice.status, 0);
    EXPECT_EQ(readBytes("twice.bin"), (std::vector<uint8_t>{0x41}));

    std::string outs;
    for (const auto& line : r.lines()) {
        const size_t at = line.find("\"out\":[");
        ASSERT_NE(at, std::string::npos);
        const std::string list = line.substr(at + 7, line.find("],\"msg\"") - at - 7);
        if (!list.empty()) outs += list + ";";
    }
    EXPECT_EQ(outs, "[0,65];[4,66];[0,66];");
}

TEST_F(CliTest, TableHasAHeaderAndAlignedCyrillicRows) {
    const Result r = run({"--poke", "0000=3E41", "--instructions", "1", "--trace", "table"});
    EXPECT_EQ(r.status, 0);
    const auto lines = r.lines();
    ASSERT_GE(lines.size(), 8u);
    // Terminal columns before byte offset `at` (a Cyrillic letter is two bytes, one column).
    auto columnAt = [](const std::string& line, size_t at) {
        size_t cols = 0;
        for (size_t i = 0; i < at; ++i)
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++cols;
        return cols;
    };
    const std::string& header = lines[0];
    for (const char* name : {"Instruction", "Changed", "Turned red", "Lamps", "Memory", "Out"})
        EXPECT_NE(header.find(name), std::string::npos) << name;
    bool sawTact6 = false;
    for (const std::string& line : lines) {
        if (line.find("RegA_Val=41*") == std::string::npos) continue;
        sawTact6 = true;
        EXPECT_EQ(line.find("      6   6  2   MVI A, d8"), 0u) << line;
    }
    EXPECT_TRUE(sawTact6);
    // Tact 2 shows the Cyrillic caption in "Changed" and its name in "Turned red" on one line:
    // the second column must start where its header does.
    bool sawCyrillic = false;
    for (const std::string& line : lines) {
        if (line.find("PSW_Label=\"Выборка команды\"*") == std::string::npos) continue;
        sawCyrillic = true;
        const size_t turnedRed = line.rfind("PSW_Label");
        EXPECT_EQ(columnAt(line, turnedRed), columnAt(header, header.find("Turned red"))) << line;
    }
    EXPECT_TRUE(sawCyrillic);
}

// The export dialog's writers on the final state; the files themselves are read back in
// documents/export_test.cpp.
TEST_F(CliTest, ExportWritesTheFinalStateAndOpensNothing) {
    ::setenv("XDG_CACHE_HOME", dir.c_str(), 1);  // the workbook's scratch file
    const Result r = run({"--poke", "0000=3E41D30076", "--run", "--export", "xlsx=" + path("a.xlsx"),
                          "--export", "txt=" + path("a.txt"), "--export", "odt=" + path("a.odt"),
                          "--page", "Start:0000-0001:am", "--page", "End:0004-0004:v",
                          "--registers", "a,PC"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(count(r.err, "orlan-cli:"), 0u) << r.err;
    const std::string text(reinterpret_cast<const char*>(readBytes("a.txt").data()),
                           readBytes("a.txt").size());
    EXPECT_EQ(text,
              "Start [0000h - 0001h]\r\n\r\n\t0000\tMVI A, d8\r\n\t0001\tMOV B, C\r\n\r\n\r\n\r\n"
              "End [0004h - 0004h]\r\n\r\n\t76\r\n\r\n\r\n\r\n"
              "\xD1\xEE\xE4\xE5\xF0\xE6\xE8\xEC\xEE\xE5 \xF0\xE5\xE3\xE8\xF1\xF2\xF0\xEE\xE2:\r\n\r\n"
              "A = 41h\r\n\r\n\r\n\r\n\r\nPC = 0005h\r\n");
    for (const char* name : {"a.xlsx", "a.odt"}) {
        const auto bytes = readBytes(name);
        ASSERT_GT(bytes.size(), 4u) << name;
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), std::string("PK\x03\x04", 4));
    }
    EXPECT_TRUE(fs::is_empty(dir / "orlan" / "export"));  // no scratch file left behind
}

TEST_F(CliTest, RefusedExportIsOneLineAndTheOthersAreStillWritten) {
    ::setenv("XDG_CACHE_HOME", dir.c_str(), 1);
    // A name no worksheet can carry (the name may hold colons) stops the workbook only.
    const Result r = run({"--export", "xlsx=" + path("a.xlsx"), "--export", "txt=" + path("a.txt"),
                          "--page", "a:b:0000-0000:a"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("orlan-cli: ОРЛАН - Ошибка экспорта в Excel: Название подпрограммы \"a:b\" ",
                          0),
              0u)
        << r.err;
    EXPECT_EQ(count(r.err, "\n"), 1u);
    EXPECT_FALSE(fs::exists(path("a.xlsx")));
    EXPECT_TRUE(fs::exists(path("a.txt")));

    // A range that ends before it starts is refused by every target, one line each.
    const Result both = run({"--export", "odt=" + path("b.odt"), "--export", "txt=" + path("b.txt"),
                             "--page", "P:0010-000F:avm"});
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(count(both.err, "\n"), 2u);
    EXPECT_EQ(count(both.err, "Задан неверный диапазон"), 2u);
    EXPECT_FALSE(fs::exists(path("b.odt")) || fs::exists(path("b.txt")));
}

void writeText(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

TEST_F(CliTest, AsmLoadsTheProgramListsItAndPrintsItsSymbols) {
    writeText(path("count.asm"),
              "\tORG 100H\nSTART:\tMVI A,3\nLOOP:\tDCR A\n\tJNZ LOOP\n\tHLT\n\tEND START\n");
    // Assembled bytes are a poked image: the run starts at START and the state file holds them.
    const Result r = run({"--asm", path("count.asm"), "--symbols", "--listing", path("count.lst"),
                          "--run", "--save", path("end.vst")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "LOOP            0102\nSTART           0100\n");
    const std::vector<uint8_t> state = readBytes("end.vst");
    ASSERT_GE(state.size(), 0x107u);
    EXPECT_EQ(std::vector<uint8_t>(state.begin() + 0x100, state.begin() + 0x107),
              (std::vector<uint8_t>{0x3E, 0x03, 0x3D, 0xC2, 0x02, 0x01, 0x76}));
    const std::vector<uint8_t> listing = readBytes("count.lst");
    EXPECT_NE(std::string(listing.begin(), listing.end()).find("0103 C20201"), std::string::npos);
}

TEST_F(CliTest, AsmErrorsAreCompilerLinesAndNothingRuns) {
    writeText(path("bad.asm"), " MVI A,300\n JMP NOWHERE\n");
    const std::string name = path("bad.asm");
    const Result r = run({"--asm", name, "--listing", path("bad.lst"), "--trace", "jsonl", "--run"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, name + ":1:8: error: значение 300 не помещается в байт\n" + name +
                         ":2:6: error: неопределённый символ \"NOWHERE\"\n");
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(fs::exists(path("bad.lst")));
    EXPECT_EQ(run({"--symbols"}).status, 2);
    EXPECT_EQ(run({"--disasm", "0200-0100"}).status, 2);
}

TEST_F(CliTest, DisasmPrintsSourceThatAsmTakesBack) {
    const Result d = run({"--poke", "0100=3E05C300010876CD", "--disasm", "0100-0107"});
    ASSERT_EQ(d.status, 0) << d.err;
    writeText(path("back.asm"), d.out);
    const Result again = run({"--asm", path("back.asm"), "--disasm", "0100-0107"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, d.out);
}

TEST_F(CliTest, HelpPrintsUsage) {
    const Result r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: orlan-cli", 0), 0u);
    EXPECT_NE(r.out.find("--port-out NN=FILE"), std::string::npos);
    EXPECT_NE(r.out.find("--page NAME:FROM-TO:COLUMNS"), std::string::npos);
    EXPECT_NE(r.out.find("--asm FILE.asm"), std::string::npos);
    EXPECT_NE(r.out.find("--disasm FROM-TO"), std::string::npos);
    // As the value of an option, "-h" is a file name, not a request for help.
    const Result asValue = run({"--state", "-h"});
    EXPECT_EQ(asValue.status, 2);
    EXPECT_TRUE(asValue.out.empty());
}

}  // namespace

namespace {
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}
}  // namespace

// Stepping back and forward again replays the same lines, t included; across a run, an OUT and
// a memory write, and the halt question.
TEST_F(CliTest, BackReplaysTheSameTraceLines) {
    // LXI SP,0200; PUSH B; OUT 01; INR A; MVI M,7F; HLT
    const std::vector<std::string> program = {"--poke", "0000=310002C5D3013C367F76", "--trace", "jsonl"};
    struct Case {
        std::vector<std::string> first, again;  // the options before --back and after it
        uint64_t back;
    };
    const Case cases[] = {
        {{"--tacts", "100"}, {"--tacts", "10"}, 10},
        {{"--run", "--tacts", "3"}, {"--tacts", "40"}, 40},
        {{"--tacts", "20"}, {"--instructions", "2"}, 20},
    };
    for (const Case& c : cases) {
        std::vector<std::string> once = program, twice = program;
        once.insert(once.end(), c.first.begin(), c.first.end());
        twice.insert(twice.end(), c.first.begin(), c.first.end());
        twice.insert(twice.end(), {"--back", std::to_string(c.back)});
        twice.insert(twice.end(), c.again.begin(), c.again.end());
        const Result a = run(once), b = run(twice);
        ASSERT_EQ(a.status, 0) << a.err;
        ASSERT_EQ(b.status, 0) << b.err;
        const auto la = lines(a.out), lb = lines(b.out);
        ASSERT_GE(la.size(), c.back);
        const size_t from = la.size() - c.back;
        ASSERT_GT(lb.size(), la.size());
        for (size_t i = la.size(); i < lb.size(); ++i) EXPECT_EQ(lb[i], la[from + i - la.size()]) << i;
    }
}

TEST_F(CliTest, BackPastTheHistoryIsOneLineAndNothingMore) {
    const Result r = run({"--poke", "0000=3C3C3C", "--tacts", "5", "--back", "6", "--tacts", "1", "--save",
                          path("s.vst")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(count(r.err, "\n"), 1u);
    EXPECT_NE(r.err.find("--back 6"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("s.vst")));
}

TEST_F(CliTest, TimingWritesTheDiagramOfTheLastTactsAndIsCheckedFirst) {
    const Result r = run({"--poke", "0000=3E7FD300", "--tacts", "200", "--timing", path("t.svg")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<uint8_t> bytes = readBytes("t.svg");
    const std::string svg(bytes.begin(), bytes.end());
    ASSERT_NE(svg.find("</svg>"), std::string::npos);
    for (const char* lamp : {"F2", "SYNC", "DBIN", "WR", "AC"})
        EXPECT_NE(svg.find(std::string(">") + lamp + "<"), std::string::npos) << lamp;
    // The last 128 tacts: a cycle number and a tact number under each.
    EXPECT_EQ(count(svg, "class=\"num\""), 2u * 128u);

    const Result refused =
        run({"--tacts", "1", "--save", path("s.vst"), "--timing", path("missing/t.svg")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--timing: cannot write"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(path("s.vst")));
}
