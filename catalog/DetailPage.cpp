#include "DetailPage.h"
#include "PageText.h"

#include <utility>

namespace catalog {

namespace {

// Label cell and field of each row of the detail table, in order.
const std::pair<const char*, const char*> kFieldRows[] = {
    {"<td align='right' width='10%' nowrap>书号：</td>", "Code"},
    {"<td align='right' width='10%' nowrap>书名：</td>", "Name"},
    {"<td align='right'>作者：</td>", "Writer"},
    {"<td align='right'>ISBN：</td>", "ISBN"},
    {"<td align='right'>定价：</td>", "Price"},
    {"<td vAlign='top' align='right' Nowrap>简介：</td>", "BookBrief"},
};

} // namespace

DetailPage::DetailPage(platform::Browser& pane, Connection& connection, std::string F)
    : pane_(pane), connection_(connection), F_(std::move(F))
{
}

void DetailPage::WriteDetailPage()
{
    StartPage(pane_, F_);
    pane_.writeln("<body width='100%' leftMargin='0' TopMargin='1' background='" + fileUrlAttribute(F_) +
                  "/pic/BookContent.jpg'>");
    for (const char* line : {"<table border='0' width='100%'>", "</table>", "</body>", "</html>",
                             "<script language='javascript'>", "HoldUp();", "</script>"})
        pane_.writeln(line);
}

bool DetailPage::ShowBookDetail(std::int32_t B)
{
    Recordset book = GetRecordset(connection_, BookDetailQuery(B), 0);
    if (book.atEnd())
        return false;
    const std::string text = DetailText(book);
    pane_.setBodyInnerHtml("");
    pane_.setBodyInnerHtml(text);
    return true;
}

std::string DetailPage::DetailText(const Recordset& book) const
{
    std::string text = "<table border='0' width='100%'>";
    text += "<tr>";
    text += "<td vAlign='top' rowspan='4' width='10%' nowrap><img border='0'  src='" +
            fileUrlAttribute(F_ + "/BookImgs/" + book.field("Code") + ".jpg") + "'></td>";
    text += "<td vAlign='top'>";
    text += "<table>";
    for (const auto& [label, field] : kFieldRows)
        text += std::string("<tr>") + label + "<td>" + htmlText(book.field(field)) + "</td>" + "</tr>";
    text += "</table>";
    text += "</td>";
    return text;
}

} // namespace catalog
