#include "CatalogPageChecks.h"

namespace testsupport {

namespace {

// The pages as their writers give them for a catalog of one category and
// one book; only their shapes are compared.
const char* const kHead = "<html>\n<head>\n"
                          "<meta http-equiv='Content-Type' content='text/html'; charset='gb2312'>\n"
                          "<META HTTP-EQUIV='imagetoolbar' CONTENT='no'>\n"
                          "<META HTTP-EQUIV='pragma' CONTENT='no-cache'>\n"
                          "<META HTTP-EQUIV='Cache-Control' CONTENT='no-cache, must-revalidate'>\n"
                          "<META http-equiv='Expires' CONTENT='0'>\n"
                          "<script language='javascript' src='/f/Script/tree.js'></script>\n"
                          "<LINK href='/f/Script/Tree.css' type='text/css' rel='stylesheet'>\n"
                          "</head>\n";
const char* const kTreeStart = "<body scroll='yes' width='100%' leftMargin='0' TopMargin='1' background='/f/pic/TreeBack.jpg'>\n"
                               "<table width='100%' border='0'><tr><td NoWrap width='100%'>\n"
                               "<span id='Node0'></span>\n"
                               "</td></tr></table>\n"
                               "</body>\n</html>\n"
                               "<script language='javascript'>\n"
                               "var Imgscr_Plus = '/f/pic/plus.gif';\n"
                               "var Imgscr_Minus = '/f/pic/minus.gif';\n"
                               "var Imgscr_Leaf = '/f/pic/leaf.gif';\n"
                               "var Node0 = new TreeNode();\n"
                               "Node0.ID = 'Node0';\n";
const char* const kTreeNode = "var Node12 = new TreeNode();\n"
                              "Node12.ID = 'Node12';\n"
                              "Node12.Name = 'x';\n"
                              "Node12.OnclickCode = 'window.document.title = Node12.ID';\n"
                              "Node0.AddNode(Node12)\n";
const char* const kTreeEnd = "HoldUp();\n</script>";
const char* const kOnclickCode = "window.document.title = Node12.ID";
const char* const kListPage = "<body width='100%' leftMargin='0' TopMargin='1' background='/f/pic/BookList.jpg'>\n"
                              "<table border='0' width='100%'>\n</table>\n</body>\n</html>\n"
                              "<script language='javascript'>\n"
                              "function ChangeBook(BookID){\nwindow.document.title=BookID;\n}\nHoldUp();\n</script>";
const char* const kDetailPage = "<body width='100%' leftMargin='0' TopMargin='1' background='/f/pic/BookContent.jpg'>\n"
                                "<table border='0' width='100%'>\n</table>\n</body>\n</html>\n"
                                "<script language='javascript'>\nHoldUp();\n</script>";
const char* const kListTableStart = "<table border='0' width='100%'>";
const char* const kListRow = "<tr><td><a onclick='ChangeBook(15)' style='cursor:hand'><img src='/f/pic/book.gif'>"
                             "&nbsp;x</a></td></tr>";
const char* const kNotFound = "<table border='0' width='100%'><tr><td>x</td></tr></table>";
const char* const kDetailBody = "<table border='0' width='100%'><tr>"
                                "<td vAlign='top' rowspan='4' width='10%' nowrap><img border='0'  src='/f/BookImgs/A.jpg'></td>"
                                "<td vAlign='top'><table>"
                                "<tr><td align='right' width='10%' nowrap>x</td><td>x</td></tr>"
                                "<tr><td align='right' width='10%' nowrap>x</td><td>x</td></tr>"
                                "<tr><td align='right'>x</td><td>x</td></tr>"
                                "<tr><td align='right'>x</td><td>x</td></tr>"
                                "<tr><td align='right'>x</td><td>x</td></tr>"
                                "<tr><td vAlign='top' align='right' Nowrap>x</td><td>x</td></tr>"
                                "</table></td>";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    if (!text.empty())
        text.pop_back();
    return text;
}

// The shape without its text nodes: text cannot change a page's structure,
// and an empty value leaves no text node at all.
std::string tagsOnly(const std::string& html)
{
    std::string shape;
    std::size_t from = 0;
    const std::string all = htmlShape(html) + '\n';
    for (std::size_t end = all.find('\n'); end != std::string::npos; end = all.find('\n', from)) {
        const std::string line = all.substr(from, end - from);
        if (line != "#text")
            shape += line + '\n';
        from = end + 1;
    }
    return withoutNumbers(shape);
}

void expectShape(const std::string& actual, const std::string& expected, const char* what)
{
    if (actual != expected)
        throw PageSyntaxError(std::string(what) + " changed its structure:\n" + actual + "\nexpected:\n" + expected);
}

// Whether `shape` is `start`, then `unit` any number of times, then `end`.
void expectRepeats(const std::string& shape, const std::string& start, const std::string& unit, const std::string& end,
                   const char* what)
{
    const bool framed = shape.size() >= start.size() + end.size() && shape.compare(0, start.size(), start) == 0 &&
                        shape.compare(shape.size() - end.size(), end.size(), end) == 0;
    std::size_t at = start.size();
    while (framed && at + end.size() < shape.size() && shape.compare(at, unit.size(), unit) == 0)
        at += unit.size();
    if (!framed || at + end.size() != shape.size())
        throw PageSyntaxError(std::string(what) + " changed its structure:\n" + shape);
}

// The click code of each node is itself a script the page library runs.
void checkClickCodes(const std::string& script)
{
    const std::vector<ScriptToken> tokens = tokenizeScript(script);
    const std::string expected = withoutNumbers(scriptShape(kOnclickCode));
    for (std::size_t i = 0; i + 3 < tokens.size(); ++i) {
        if (tokens[i].text == "OnclickCode" && tokens[i + 1].text == "=" && tokens[i + 2].kind == ScriptToken::Kind::String)
            expectShape(withoutNumbers(scriptShape(tokens[i + 2].text)), expected, "a node's click code");
    }
}

} // namespace

std::string withoutNumbers(const std::string& shape)
{
    std::string out;
    for (std::size_t i = 0; i < shape.size();) {
        const bool nodeNumber = shape.compare(i, 5, "Node_") == 0 && i + 5 < shape.size() && isDigit(shape[i + 5]);
        // A negative number is a minus token and the digits.
        const bool minus = shape.compare(i, 2, "- ") == 0 && i + 2 < shape.size() && isDigit(shape[i + 2]);
        if (nodeNumber) {
            out += "Node";
            i += 5;
        } else if (minus) {
            i += 2;
        } else if (isDigit(shape[i])) {
            out += '#';
            while (i < shape.size() && isDigit(shape[i]))
                ++i;
        } else {
            out += shape[i++];
        }
    }
    return out;
}

void checkTreePage(const std::vector<std::string>& lines)
{
    const std::string page = joined(lines);
    for (const HtmlNode& node : parseHtml(page))
        if (node.kind == HtmlNode::Kind::Script)
            checkClickCodes(node.text);
    const std::string withNodes = tagsOnly(std::string(kHead) + kTreeStart + kTreeNode + kTreeEnd);
    const std::string withoutNodes = tagsOnly(std::string(kHead) + kTreeStart + kTreeEnd);
    // The node statements sit inside the script's one shape line.
    const std::string scriptStart = withoutNodes.substr(0, withoutNodes.find("HoldUp"));
    const std::string scriptEnd = withoutNodes.substr(scriptStart.size());
    const std::string node = withNodes.substr(scriptStart.size(), withNodes.size() - withoutNodes.size());
    expectRepeats(tagsOnly(page), scriptStart, node, scriptEnd, "the tree page");
}

void checkListPage(const std::vector<std::string>& lines)
{
    expectShape(tagsOnly(joined(lines)), tagsOnly(std::string(kHead) + kListPage), "the list page");
}

void checkDetailPage(const std::vector<std::string>& lines)
{
    expectShape(tagsOnly(joined(lines)), tagsOnly(std::string(kHead) + kDetailPage), "the detail page");
}

void checkListBody(const std::string& body)
{
    const std::string shape = tagsOnly(body);
    if (shape == tagsOnly(kNotFound))
        return;
    const std::string start = tagsOnly(kListTableStart);
    const std::string row = tagsOnly(kListRow);
    const std::string end = tagsOnly("</table>");
    expectRepeats(shape, start, row, end, "a book list");
}

void checkDetailBody(const std::string& body)
{
    expectShape(tagsOnly(body), tagsOnly(kDetailBody), "a book's details");
}

} // namespace testsupport
