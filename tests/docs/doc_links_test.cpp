// Every relative link and picture of the README and of the pages in docs/ resolves to a file
// of the repository, and an anchor to a heading of the page it names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "markdown_links.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = PELORIX3_SOURCE_DIR;

std::string readPage(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> documentationPages() {
    std::vector<fs::path> pages{kRoot / "README.md"};
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / "docs")) {
        if (entry.is_regular_file() && entry.path().extension() == ".md") {
            pages.push_back(entry.path());
        }
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// The path as a browser takes it: "%20" is a space.
std::string decoded(const std::string& path) {
    std::string plain;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size() && isHexDigit(path[i + 1]) &&
            isHexDigit(path[i + 2])) {
            plain += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            plain += path[i];
        }
    }
    return plain;
}

// Why `target`, linked from `page`, does not resolve; empty when it does.
std::string fault(const fs::path& page, const std::string& target) {
    const std::size_t hash = target.find('#');
    const std::string path = decoded(target.substr(0, hash));
    const std::string fragment = hash == std::string::npos ? "" : target.substr(hash + 1);
    const fs::path file = path.empty() ? page : (page.parent_path() / path).lexically_normal();
    const fs::path inRepository = file.lexically_relative(kRoot);
    if (inRepository.empty() || *inRepository.begin() == "..") return "outside the repository";
    const std::string top = inRepository.begin()->string();
    if (top == "build" || top == "out" || top == ".git") {
        return "in " + top + "/, which the repository does not hold";
    }
    if (!fs::exists(file)) return "no such file";
    if (fragment.empty() || file.extension() != ".md") return {};
    if (doclinks::pageAnchors(readPage(file)).count(fragment) == 0) {
        return "no heading of " + inRepository.string() + " gives #" + fragment;
    }
    return {};
}

TEST(DocumentationLinks, EveryRelativeLinkAndPictureResolves) {
    std::size_t checked = 0;
    std::string faults;
    for (const fs::path& page : documentationPages()) {
        for (const doclinks::Link& link : doclinks::relativeLinks(readPage(page))) {
            ++checked;
            const std::string why = fault(page, link.target);
            if (!why.empty()) {
                faults += page.lexically_relative(kRoot).string() + ":" +
                          std::to_string(link.line) + ": " + link.target + ": " + why + "\n";
            }
        }
    }
    EXPECT_GT(checked, 0u) << "no link found in README.md and docs/";
    EXPECT_TRUE(faults.empty()) << faults;
}

struct LinkCase {
    const char* page;
    std::vector<std::string> targets;
};

TEST(MarkdownLinks, FindsLinksAndPicturesOutsideCode) {
    const std::vector<LinkCase> cases{
        {"See [the looks](looks.md#the-gallery) and ![a](gallery/a.png \"title\").",
         {"looks.md#the-gallery", "gallery/a.png"}},
        {"[ref]: ../README.md\n<img src=\"b.png\"> [web](https://example.org) [me](#top)",
         {"#top", "../README.md", "b.png"}},
        {"`[not](a.md)` and ``[nor `this`](b.md)``, then [yes](c.md)", {"c.md"}},
        {"a span over `two\nlines [not](a.md)` ends", {}},
        {"```\n[not](a.md)\n```\n[yes](d.md)", {"d.md"}},
        {"a lone ` backtick\n\nand [a link](e.md) before another `", {"e.md"}},
        {"[nested ![pic](p.png)](f.md)", {"p.png", "f.md"}},
        {"[x](<a b.md>) [y](g(1).md)", {"a b.md", "g(1).md"}},
    };
    for (const LinkCase& c : cases) {
        std::vector<std::string> found;
        for (const doclinks::Link& link : doclinks::relativeLinks(c.page)) {
            found.push_back(link.target);
        }
        EXPECT_EQ(found, c.targets) << c.page;
    }
    const auto third = doclinks::relativeLinks("one\n`two`\n\n[three](h.md)");
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].line, 4u);
}

TEST(MarkdownLinks, HeadingsGiveTheAnchorsOfTheRepositorysHost) {
    const std::set<std::string> anchors = doclinks::pageAnchors(
        "# Models from object files (LWO2 and LWOB)\n"
        "## `--load` and `--save`\n"
        "## Notes\n"
        "### Notes\n"
        "```\n# not a heading\n```\n"
        "## Turning the camera, turntables, comparing looks ##\n"
        "## The [studio](studio.md) page\n"
        "#not a heading either\n");
    const std::set<std::string> expected{
        "models-from-object-files-lwo2-and-lwob",        "--load-and---save", "notes", "notes-1",
        "turning-the-camera-turntables-comparing-looks", "the-studio-page"};
    EXPECT_EQ(anchors, expected);
}

}  // namespace
