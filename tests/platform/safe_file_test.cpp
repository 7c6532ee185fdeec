// The writer every saved file goes through, tried against what shared lab folders do to it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SafeFile.h"
#include "file_size_limit.h"

using namespace orlan;
using orlan::test::FileSizeLimit;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes filled(size_t size, uint8_t value) {
    return Bytes(size, value);
}

void writeBytes(const fs::path& p, const Bytes& bytes) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Short enough to read in a failure: the length and the one value of a fill, or a digest.
std::string summary(const Bytes& bytes) {
    std::ostringstream out;
    out << bytes.size() << " bytes";
    if (std::all_of(bytes.begin(), bytes.end(), [&](uint8_t b) { return b == bytes[0]; }))
        out << " of " << (bytes.empty() ? 0 : int{bytes[0]});
    else
        out << " #" << std::hash<std::string>{}(std::string(bytes.begin(), bytes.end()));
    return out.str();
}

// Temporary files the writer left anywhere under dir.
std::vector<std::string> leftovers(const fs::path& dir) {
    std::vector<std::string> found;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.path().filename().string().starts_with(".orlan-")) found.push_back(e.path().string());
    return found;
}

class SafeFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("orlan-safe-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        for (const auto& e : fs::recursive_directory_iterator(dir))
            if (e.is_directory() && !e.is_symlink())
                fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    fs::path dir;
};

const Bytes kOld = filled(100, 0x33);
const Bytes kNew = filled(65549, 0x44);

}  // namespace

TEST_F(SafeFile, EverySaveEndsWithTheNewFileOrExactlyTheOldOne) {
    struct Case {
        const char* name;
        // Lays out the folder; returns the name to save under and the file that must change.
        std::function<std::pair<fs::path, fs::path>(const fs::path&)> prepare;
        Bytes bytes;
        SaveError expected;
        std::function<void(const fs::path&)> check = [](const fs::path&) {};
        rlim_t sizeLimit = 0;  // writes fail past this many bytes
    };
    const std::string longName = std::string(251, 'x') + ".vst";  // 255, the longest there is
    const Case cases[] = {
        {"link planted at the old temporary name",
         [](const fs::path& d) {
             writeBytes(d / "victim", kOld);
             writeBytes(d / "a.vst", kOld);
             fs::create_symlink("victim", d / "a.vst.orlan-tmp");
             return std::pair{d / "a.vst", d / "a.vst"};
         },
         kNew, SaveError::None,
         [](const fs::path& d) { EXPECT_EQ(summary(readBytes(d / "victim")), summary(kOld)); }},
        {"saved through a link",
         [](const fs::path& d) {
             fs::create_directory(d / "real");
             writeBytes(d / "real" / "r.vst", kOld);
             fs::create_symlink("real/r.vst", d / "l.vst");
             fs::create_symlink("l.vst", d / "ll.vst");
             return std::pair{d / "ll.vst", d / "real" / "r.vst"};
         },
         kNew, SaveError::None,
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "l.vst"));
             EXPECT_TRUE(fs::is_symlink(d / "ll.vst"));
         }},
        {"private file stays private",
         [](const fs::path& d) {
             writeBytes(d / "p.vst", kOld);
             fs::permissions(d / "p.vst", fs::perms::owner_read | fs::perms::owner_write);
             return std::pair{d / "p.vst", d / "p.vst"};
         },
         kNew, SaveError::None,
         [](const fs::path& d) {
             EXPECT_EQ(fs::status(d / "p.vst").permissions(),
                       fs::perms::owner_read | fs::perms::owner_write);
         }},
        {"longest file name",
         [&](const fs::path& d) {
             writeBytes(d / longName, kOld);
             return std::pair{d / longName, d / longName};
         },
         kNew, SaveError::None},
        {"writable file in a read-only folder is rewritten in place",
         [](const fs::path& d) {
             fs::create_directory(d / "ro");
             writeBytes(d / "ro" / "k.vst", filled(70000, 0x55));  // longer: the tail goes
             fs::permissions(d / "ro", fs::perms::owner_read | fs::perms::owner_exec);
             return std::pair{d / "ro" / "k.vst", d / "ro" / "k.vst"};
         },
         kNew, SaveError::None},
        {"file with a second hard link",
         [](const fs::path& d) {
             writeBytes(d / "h1.vst", kOld);
             fs::create_hard_link(d / "h1.vst", d / "h2.vst");
             return std::pair{d / "h1.vst", d / "h1.vst"};
         },
         kNew, SaveError::None,
         [](const fs::path& d) { EXPECT_EQ(summary(readBytes(d / "h2.vst")), summary(kNew)); }},
        {"medium full in the middle of the temporary file",
         [](const fs::path& d) {
             writeBytes(d / "f.vst", kOld);
             return std::pair{d / "f.vst", d / "f.vst"};
         },
         kNew, SaveError::NoSpace, [](const fs::path&) {}, 8192},
        {"medium full when a file in a read-only folder must grow",
         [](const fs::path& d) {
             fs::create_directory(d / "ro");
             writeBytes(d / "ro" / "g.vst", kOld);
             fs::permissions(d / "ro", fs::perms::owner_read | fs::perms::owner_exec);
             return std::pair{d / "ro" / "g.vst", d / "ro" / "g.vst"};
         },
         kNew, SaveError::NoSpace, [](const fs::path&) {}, 8192},
        {"in-place rewrite failing half way puts the old bytes back",
         [](const fs::path& d) {
             fs::create_directory(d / "ro");
             writeBytes(d / "ro" / "h.vst", filled(65549, 0x33));
             fs::permissions(d / "ro", fs::perms::owner_read | fs::perms::owner_exec);
             return std::pair{d / "ro" / "h.vst", d / "ro" / "h.vst"};
         },
         kNew, SaveError::NoSpace, [](const fs::path&) {}, 8192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path sandbox = dir / std::to_string(&c - cases);
        fs::create_directory(sandbox);
        const auto [name, file] = c.prepare(sandbox);
        const Bytes before = fs::is_regular_file(file) ? readBytes(file) : Bytes{};
        SaveResult result;
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit) limit.emplace(c.sizeLimit);
            result = writeFileSafely(name.string(), c.bytes);
        }
        EXPECT_EQ(result.error, c.expected);
        if (fs::is_regular_file(file) || c.expected == SaveError::None) {
            EXPECT_EQ(summary(readBytes(file)),
                      summary(c.expected == SaveError::None ? c.bytes : before));
        }
        EXPECT_EQ(checkWritable(name.string()).ok(),
                  c.expected == SaveError::None || c.expected == SaveError::NoSpace);
        c.check(sandbox);
        EXPECT_EQ(leftovers(sandbox), std::vector<std::string>{});
    }
}

TEST_F(SafeFile, ConcurrentSavesEndWithOneCompleteFile) {
    for (bool readOnlyFolder : {false, true}) {
        SCOPED_TRACE(readOnlyFolder ? "rewritten in place" : "replaced");
        const fs::path folder = dir / (readOnlyFolder ? "ro" : "rw");
        fs::create_directory(folder);
        const fs::path file = folder / "c.vst";
        writeBytes(file, kOld);
        if (readOnlyFolder) fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);

        // Every writer's content has its own length and value, so a mix of two shows.
        constexpr int kWriters = 8;
        std::vector<Bytes> contents;
        for (int k = 0; k < kWriters; ++k)
            contents.push_back(
                filled(40000 + 1000 * static_cast<size_t>(k), static_cast<uint8_t>(k + 1)));
        std::vector<int> failures(kWriters, 0);
        std::vector<std::thread> writers;
        for (int k = 0; k < kWriters; ++k)
            writers.emplace_back([&, k] {
                for (int round = 0; round < 20; ++round)
                    if (!writeFileSafely(file.string(), contents[k]).ok()) ++failures[k];
            });
        for (std::thread& t : writers) t.join();

        EXPECT_EQ(failures, std::vector<int>(kWriters, 0));
        const Bytes final = readBytes(file);
        EXPECT_NE(std::find(contents.begin(), contents.end(), final), contents.end())
            << summary(final);
        EXPECT_EQ(leftovers(folder), std::vector<std::string>{});
    }
}
