// The links a Markdown page makes and the anchors its headings give, as a page on the
// repository's host renders them: what the link check of the documentation reads.
#ifndef PELORIX3_TESTS_DOCS_MARKDOWN_LINKS_H
#define PELORIX3_TESTS_DOCS_MARKDOWN_LINKS_H

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace doclinks {

struct Link {
    std::string target;  // as written, fragment included ("looks.md#the-gallery", "#top")
    std::size_t line;    // counted from 1
};

// The links of `page` that point into the repository: inline links and images
// (`[text](target)`, `![alt](target "title")`), reference definitions (`[label]: target`)
// and HTML `src`/`href` attributes. Text in code spans and fenced code blocks is not a
// link; indented code is read as text, so that a link in a deeply indented list item is
// never passed over. Targets with a scheme (`https:`, `mailto:`) are left out.
std::vector<Link> relativeLinks(std::string_view page);

// The anchor a heading's text gets: lower case, punctuation other than '-' and '_' dropped,
// each space a '-'. Bytes outside ASCII are kept, as the letters they mostly are.
std::string headingAnchor(std::string_view heading);

// The anchors of the page's ATX headings (`## Text`), a repeated one numbered "-1", "-2", ...
// in order, and those of HTML `id` and `name` attributes.
std::set<std::string> pageAnchors(std::string_view page);

}  // namespace doclinks

#endif
