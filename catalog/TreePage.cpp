#include "TreePage.h"
#include "PageText.h"
#include "base/Conversions.h"

#include <algorithm>

namespace catalog {

namespace {

// The script name of a category's node. "Node-5" would be a subtraction, not
// a name: a negative ID's node is "Node_5", while its ID property, and so
// the title it reports, stays "Node-5".
std::string nodeVariable(std::int32_t id)
{
    std::string digits = std::to_string(id);
    if (digits.front() == '-')
        digits.front() = '_';
    return "Node" + digits;
}

} // namespace

TreePage::TreePage(platform::Browser& pane, Connection& connection, std::string F)
    : pane_(pane), connection_(connection), F_(std::move(F))
{
}

void TreePage::WriteTreePage()
{
    const std::string folder = fileUrlAttribute(F_);
    const std::string F2 = scriptString(F_);
    StartPage(pane_, F_);
    pane_.writeln("<body scroll='yes' width='100%' leftMargin='0' TopMargin='1' background='" + folder +
                  "/pic/TreeBack.jpg'>");
    pane_.writeln("<table width='100%' border='0'><tr><td NoWrap width='100%'>");
    pane_.writeln("<span id='Node0'></span>");
    pane_.writeln("</td></tr></table>");
    pane_.writeln("</body>");
    pane_.writeln("</html>");
    pane_.writeln("<script language='javascript'>");
    pane_.writeln("var Imgscr_Plus = '" + F2 + "/pic/plus.gif';");
    pane_.writeln("var Imgscr_Minus = '" + F2 + "/pic/minus.gif';");
    pane_.writeln("var Imgscr_Leaf = '" + F2 + "/pic/leaf.gif';");
    WriteTreeNodes();
    pane_.writeln("HoldUp();");
    pane_.writeln("</script>");
}

void TreePage::WriteTreeNodes()
{
    pane_.writeln("var Node0 = new TreeNode();");
    pane_.writeln("Node0.ID = 'Node0';");
    walkPath_.clear();
    WriteTypeNodes(0);
}

void TreePage::WriteTypeNodes(std::int32_t P)
{
    walkPath_.push_back(P);
    const std::string parent = nodeVariable(P);
    for (Recordset rows = GetRecordset(connection_, TypeNodesQuery(P), 0); !rows.atEnd(); rows.moveNext()) {
        const auto id = base::wholeInt32(rows.field("ID"));
        if (!id || !IsNewNode(*id))
            continue;
        const std::string node = nodeVariable(*id);
        pane_.writeln("var " + node + " = new TreeNode();");
        pane_.writeln(node + ".ID = 'Node" + std::to_string(*id) + "';");
        pane_.writeln(node + ".Name = '" + scriptString(rows.field("Name")) + "';");
        pane_.writeln(node + ".OnclickCode = 'window.document.title = " + node + ".ID';");
        pane_.writeln(parent + ".AddNode(" + node + ")");
        WriteTypeNodes(*id);
    }
    walkPath_.pop_back();
}

bool TreePage::IsNewNode(std::int32_t id) const
{
    return id != 0 && std::find(walkPath_.begin(), walkPath_.end(), id) == walkPath_.end();
}

} // namespace catalog
