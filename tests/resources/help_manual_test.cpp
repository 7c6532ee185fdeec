// The user manual that "Вызвать справку" (F1) opens from Help/ beside the executables: it must be
// there, be readable UTF-8, show its pictures, name every menu shortcut, keep its table of contents
// working and need nothing from outside the folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kHelpDir = ORLAN_HELP_DIR;
const fs::path kSourceDir = ORLAN_HELP_SOURCE_DIR;
const fs::path kManual = kHelpDir / "ORLAN_Help.html";
const fs::path kEnglishManual = kHelpDir / "ORLAN_Help.en.html";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Strict UTF-8: no stray continuation bytes, no truncated sequences, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        uint32_t cp = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, cp = b & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

// Whether `token` stands on its own in `text`: not glued to an ASCII letter, digit or '+' on
// either side, so "F1" is not found inside "F10" nor "Ctrl+S" inside "Ctrl+Shift+S".
bool mentionsToken(std::string_view text, std::string_view token) {
    const auto glue = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '+'; };
    for (size_t at = text.find(token); at != std::string_view::npos; at = text.find(token, at + 1)) {
        const bool before = at > 0 && glue(text[at - 1]);
        const bool after = at + token.size() < text.size() && glue(text[at + token.size()]);
        if (!before && !after) return true;
    }
    return false;
}

// The page's text with every tag replaced by a space.
std::string visibleText(const std::string& html) {
    return std::regex_replace(html, std::regex("<[^>]*>"), " ");
}

std::vector<std::string> captures(const std::string& html, const std::string& pattern) {
    const std::regex re(pattern, std::regex::icase);
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

std::vector<std::string> imageSources(const std::string& html) {
    return captures(html, R"re(<img\b[^>]*?\bsrc\s*=\s*"([^"]*)")re");
}
std::vector<std::string> linkTargets(const std::string& html) {
    return captures(html, R"re(<a\b[^>]*?\bhref\s*=\s*"([^"]*)")re");
}
std::vector<std::string> anchorIds(const std::string& html) {
    return captures(html, R"re(<[a-z0-9]+\b[^>]*?\s(?:id|name)\s*=\s*"([^"]*)")re");
}

// --- the checks themselves must be able to fail ---

TEST(HelpManualChecks, Utf8ValidatorRejectsMalformedSequences) {
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"plain ASCII", true},
        {"\xD0\x81\xD0\xB6 \xE2\x86\x91", true},  // "Ёж ↑"
        {"\xF0\x9F\x98\x80", true},                // U+1F600
        {"\x80", false},                           // stray continuation byte
        {"ab\xD0", false},                         // truncated at the end
        {"\xD0\x41", false},                       // continuation missing
        {"\xC0\xAF", false},                       // overlong '/'
        {"\xED\xA0\x80", false},                   // surrogate
        {"\xF4\x90\x80\x80", false},               // above U+10FFFF
        {"\xFF", false},
        {std::string("\xCF\xE5\xF7\xE0\xF2\xFC"), false},  // "Печать" in Windows-1251
    };
    for (const Case& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << '"' << c.bytes << '"';
}

TEST(HelpManualChecks, ShortcutMustStandOnItsOwn) {
    struct Case {
        const char* text;
        const char* token;
        bool found;
    };
    const Case cases[] = {
        {"<kbd>F1</kbd>", "F1", true},
        {"F10, F11 and F12", "F1", false},
        {"Ctrl+Shift+S", "Ctrl+S", false},
        {"Ctrl+Shift+S", "Ctrl+Shift+S", true},
        {"Ctrl+Alt+M", "Alt+M", false},
        {"press Alt+F4.", "Alt+F4", true},
        {"Spacebar", "Space", false},
        {"F12 then F1", "F1", true},
    };
    for (const Case& c : cases) EXPECT_EQ(mentionsToken(c.text, c.token), c.found) << c.text << " / " << c.token;
}

// --- the copied manuals, Russian and English ---

struct ManualCase {
    const char* file;
    const char* lang;
};
void PrintTo(const ManualCase& c, std::ostream* os) { *os << c.file; }

class HelpManual : public ::testing::TestWithParam<ManualCase> {
protected:
    void SetUp() override {
        const fs::path manual = kHelpDir / GetParam().file;
        ASSERT_TRUE(fs::is_regular_file(manual)) << manual;
        html_ = readFile(manual);
        ASSERT_FALSE(html_.empty());
    }
    std::string html_;
};

INSTANTIATE_TEST_SUITE_P(Languages, HelpManual,
                         ::testing::Values(ManualCase{"ORLAN_Help.html", "ru"},
                                           ManualCase{"ORLAN_Help.en.html", "en"}),
                         [](const auto& info) { return std::string(info.param.lang); });

TEST_P(HelpManual, IsValidUtf8AndSaysSo) {
    EXPECT_TRUE(isValidUtf8(html_));
    EXPECT_NE(html_.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html_.find("<html lang=\"" + std::string(GetParam().lang) + "\">"), std::string::npos);
}

TEST_P(HelpManual, CopyMatchesTheSourceFiles) {
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceDir)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), kSourceDir);
        const fs::path copy = kHelpDir / relative;
        ASSERT_TRUE(fs::is_regular_file(copy)) << relative << " was not copied";
        EXPECT_TRUE(readFile(copy) == readFile(entry.path())) << relative << " is out of date";
        ++compared;
    }
    EXPECT_GE(compared, 2);  // the page and at least one picture
}

TEST_P(HelpManual, EveryPictureIsBesideIt) {
    const std::vector<std::string> sources = imageSources(html_);
    ASSERT_GE(sources.size(), 5u);
    std::set<fs::path> pictures;
    for (const std::string& src : sources) {
        const fs::path relative(src);
        EXPECT_TRUE(relative.is_relative() && src.find("..") == std::string::npos && src.find(':') == std::string::npos)
            << src << " leaves the Help folder";
        const fs::path file = kHelpDir / relative;
        ASSERT_TRUE(fs::is_regular_file(file)) << src << " is missing";
        const std::string bytes = readFile(file);
        EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8)) << src << " is not a PNG picture";
        pictures.insert(fs::weakly_canonical(file));
    }
    // Per manual: each language shows its own set of pictures.
    uintmax_t total = 0;
    for (const fs::path& p : pictures) total += fs::file_size(p);
    EXPECT_LT(total, 1024u * 1024u) << "the pictures should stay small";
}

TEST_P(HelpManual, NamesEveryMenuShortcut) {
    const std::string text = visibleText(html_);
    const char* const shortcuts[] = {
        "F1",         "F6",         "F7",         "F8",         "F10",        "F11",    "F12",
        "Ctrl+N",     "Ctrl+O",     "Ctrl+S",     "Ctrl+Shift+S", "Ctrl+P",   "Ctrl+Alt+M",
        "Ctrl+Alt+F", "Ctrl+Alt+H", "Ctrl+Alt+N", "Ctrl+Alt+P", "Space",      "Alt+F4",
        "Ctrl+E",     "F9",         "Ctrl+D",     "Ctrl+W",     "F2",         "F4",     "Shift+F7",
        "Shift+F8",   "Ctrl+=",     "Ctrl++",     "Ctrl+-",     "Ctrl+0",
    };
    for (const char* s : shortcuts) EXPECT_TRUE(mentionsToken(text, s)) << s << " is not mentioned";
}

TEST_P(HelpManual, EveryInternalLinkHasItsTarget) {
    const std::vector<std::string> ids = anchorIds(html_);
    std::set<std::string> targets;
    for (const std::string& id : ids) EXPECT_TRUE(targets.insert(id).second) << "anchor #" << id << " is defined twice";

    int internal = 0;
    for (const std::string& href : linkTargets(html_)) {
        if (href.empty() || href[0] != '#') continue;
        ++internal;
        EXPECT_EQ(targets.count(href.substr(1)), 1u) << "link " << href << " has no target";
    }
    EXPECT_GE(internal, 16) << "the table of contents links every section";
}

TEST_P(HelpManual, NeedsNothingFromOutside) {
    std::string lower = html_;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* banned : {"<script", "<link", "<iframe", "@import", "url(", "@font-face"})
        EXPECT_EQ(lower.find(banned), std::string::npos) << banned;
    for (const std::string& ref : imageSources(html_)) EXPECT_EQ(ref.find("//"), std::string::npos) << ref;
    for (const std::string& ref : linkTargets(html_)) {
        EXPECT_EQ(ref.find("//"), std::string::npos) << ref;
        EXPECT_EQ(ref.rfind("mailto:", 0), std::string::npos) << ref;
    }
}

// Width and height from a PNG's header; (0, 0) for anything else.
std::pair<uint32_t, uint32_t> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(12, 4, "IHDR") != 0) return {0, 0};
    const auto at = [&bytes](size_t i) {
        uint32_t v = 0;
        for (size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(bytes[i + k]);
        return v;
    };
    return {at(16), at(20)};
}

// The English manual is the same book: the same sections and anchors (the help window and the
// popup link into both alike), the same pictures taken of the English program (img/en/, each the
// size of its Russian namesake, so that the scene and the crop are the same), and Russian only
// where it quotes what the program writes in Russian (the runner's output, exported files).
TEST(EnglishManual, MatchesTheRussianOneAndIsInEnglish) {
    const std::string ru = readFile(kManual);
    const std::string en = readFile(kEnglishManual);
    ASSERT_FALSE(ru.empty());
    ASSERT_FALSE(en.empty());
    EXPECT_EQ(anchorIds(en), anchorIds(ru));
    std::vector<std::string> english;
    for (const std::string& src : imageSources(ru)) {
        const fs::path picture(src);
        english.push_back((picture.parent_path() / "en" / picture.filename()).generic_string());
        const auto size = pngSize(readFile(kHelpDir / picture));
        EXPECT_NE(size.first, 0u) << src;
        EXPECT_EQ(pngSize(readFile(kHelpDir / english.back())), size) << english.back();
    }
    EXPECT_EQ(imageSources(en), english);

    // Visible text with Cyrillic letters, line by line: a handful of quotations, not prose.
    const std::string text = visibleText(en);
    size_t lines = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find('\n', pos), text.size());
        const std::string line = text.substr(pos, end - pos);
        // Cyrillic letters are U+0400..U+04FF: UTF-8 lead bytes D0..D3.
        if (std::any_of(line.begin(), line.end(), [](char c) {
                const auto b = static_cast<unsigned char>(c);
                return b >= 0xD0 && b <= 0xD3;
            }))
            ++lines;
        pos = end + 1;
    }
    EXPECT_LE(lines, 20u) << "the English manual has Russian prose left";
}

}  // namespace
