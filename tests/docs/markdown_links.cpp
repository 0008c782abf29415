#include "markdown_links.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <regex>

namespace doclinks {
namespace {

std::vector<std::string_view> linesOf(std::string_view page) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= page.size()) {
        const std::size_t end = std::min(page.find('\n', start), page.size());
        lines.push_back(page.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string_view withoutIndent(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : line.substr(first);
}

// The fence a line opens or closes: its run of three or more backticks or tildes.
std::string_view fenceOf(std::string_view line) {
    const std::string_view text = withoutIndent(line);
    if (text.empty() || (text[0] != '`' && text[0] != '~')) return {};
    const std::size_t run = std::min(text.find_first_not_of(text[0]), text.size());
    return run >= 3 ? text.substr(0, run) : std::string_view{};
}

// For each line, whether it belongs to a fenced code block (its fences included).
std::vector<bool> fencedLines(const std::vector<std::string_view>& lines) {
    std::vector<bool> fenced(lines.size(), false);
    std::string_view open;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view fence = fenceOf(lines[i]);
        if (open.empty()) {
            open = fence;
        } else if (fence.size() >= open.size() && fence[0] == open[0]) {
            fenced[i] = true;
            open = {};
            continue;
        }
        fenced[i] = !open.empty();
    }
    return fenced;
}

// The page with fenced blocks and code spans blanked out, line breaks kept, so that
// positions still give the line.
std::string withoutCode(std::string_view page) {
    const std::vector<std::string_view> lines = linesOf(page);
    const std::vector<bool> fenced = fencedLines(lines);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += fenced[i] ? std::string(lines[i].size(), ' ') : std::string(lines[i]);
        if (i + 1 < lines.size()) text += '\n';
    }
    // A code span runs from a run of backticks to the next run of the same length within
    // its paragraph; a run without one is literal.
    std::size_t at = 0;
    while ((at = text.find('`', at)) != std::string::npos) {
        const std::size_t runEnd = std::min(text.find_first_not_of('`', at), text.size());
        const std::size_t run = runEnd - at;
        std::size_t close = runEnd;
        while ((close = text.find('`', close)) != std::string::npos) {
            const std::size_t closeEnd = std::min(text.find_first_not_of('`', close), text.size());
            if (closeEnd - close == run) break;
            close = closeEnd;
        }
        const std::string_view inside = close == std::string::npos
                                            ? std::string_view{}
                                            : std::string_view(text).substr(runEnd, close - runEnd);
        const bool spansParagraphs =
            std::regex_search(std::string(inside), std::regex("\n[ \t]*\n"));
        if (close == std::string::npos || spansParagraphs) {
            at = runEnd;
            continue;
        }
        for (std::size_t i = at; i < close + run; ++i) {
            if (text[i] != '\n') text[i] = ' ';
        }
        at = close + run;
    }
    return text;
}

std::size_t lineAt(std::string_view text, std::size_t position) {
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + position, '\n'));
}

// The destination of an inline link whose "(" is at `open`: `<...>`, or up to white space
// or the ")" that balances it.
std::string destinationAt(std::string_view text, std::size_t open) {
    std::size_t at = text.find_first_not_of(" \t\n", open + 1);
    if (at == std::string_view::npos) return {};
    if (text[at] == '<') {
        const std::size_t close = text.find('>', at);
        return close == std::string_view::npos ? std::string{}
                                               : std::string(text.substr(at + 1, close - at - 1));
    }
    int depth = 0;
    std::size_t end = at;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c == ' ' || c == '\t' || c == '\n') break;
        if (c == '(') ++depth;
        if (c == ')' && depth-- == 0) break;
    }
    return std::string(text.substr(at, end - at));
}

bool pointsIntoRepository(const std::string& target) {
    static const std::regex scheme("^[A-Za-z][A-Za-z0-9+.-]*:");
    return !target.empty() && !std::regex_search(target, scheme);
}

}  // namespace

std::vector<Link> relativeLinks(std::string_view page) {
    const std::string text = withoutCode(page);
    std::vector<Link> links;
    auto add = [&](std::string target, std::size_t position) {
        if (pointsIntoRepository(target))
            links.push_back({std::move(target), lineAt(text, position)});
    };
    for (std::size_t at = text.find("]("); at != std::string::npos; at = text.find("](", at + 2)) {
        add(destinationAt(text, at + 1), at);
    }
    static const std::regex definition(R"(^ {0,3}\[[^\]]+\]:[ \t]*<?([^\s>]+))");
    static const std::regex attribute(R"re(\b(?:src|href)\s*=\s*(?:"([^"]*)"|'([^']*)'))re");
    for (const auto* pattern : {&definition, &attribute}) {
        const auto flags = std::regex_constants::match_default;
        for (std::sregex_iterator match(text.begin(), text.end(), *pattern, flags), end;
             match != end; ++match) {
            const auto& found = (*match)[1].matched ? (*match)[1] : (*match)[2];
            add(found.str(), static_cast<std::size_t>(match->position(0)));
        }
    }
    return links;
}

std::string headingAnchor(std::string_view heading) {
    // A link in a heading shows its text only.
    const std::string shown =
        std::regex_replace(std::string(heading), std::regex(R"(\]\([^)]*\))"), "");
    std::string anchor;
    for (const char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || byte >= 0x80 || c == '-' || c == '_') {
            anchor += static_cast<char>(std::tolower(byte));
        } else if (c == ' ') {
            anchor += '-';
        }
    }
    return anchor;
}

std::set<std::string> pageAnchors(std::string_view page) {
    const std::vector<std::string_view> lines = linesOf(page);
    const std::vector<bool> fenced = fencedLines(lines);
    static const std::regex heading(R"(^ {0,3}#{1,6}[ \t]+(.*?)[ \t]*(?:[ \t]#+[ \t]*)?$)");
    std::set<std::string> anchors;
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::smatch match;
        const std::string line(lines[i]);
        if (fenced[i] || !std::regex_match(line, match, heading)) continue;
        const std::string anchor = headingAnchor(match[1].str());
        const int repeats = seen[anchor]++;
        anchors.insert(repeats == 0 ? anchor : anchor + "-" + std::to_string(repeats));
    }
    static const std::regex idAttribute(R"re(\b(?:id|name)\s*=\s*"([^"]+)")re");
    const std::string whole = withoutCode(page);
    for (std::sregex_iterator match(whole.begin(), whole.end(), idAttribute), end; match != end;
         ++match) {
        anchors.insert((*match)[1].str());
    }
    return anchors;
}

}  // namespace doclinks
