#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tools {

// The Jet field types the writer stores. Long binary (OLE object) fields can
// only hold nulls here.
enum class JetType { Integer, LongInteger, Currency, YesNo, Text, LongBinary };

struct JetColumn {
    std::string name;
    JetType type;
};

// Values are given as text: decimal integers, decimal currency amounts,
// "0" or anything else for Yes/No, UTF-8 text; no value is a null.
using JetValue = std::optional<std::string>;

struct JetTableContent {
    std::string name;
    std::vector<JetColumn> columns;
    std::vector<std::vector<JetValue>> rows;
};

// Writes a Jet 4 database file holding the given user tables and nothing
// else: no indexes, no relationships, no forms. Enough for readers of the
// format to find every table, field and row. Text fields hold at most 255
// characters. Throws std::runtime_error when the content does not fit.
void WriteJet4File(const std::string& path, const std::vector<JetTableContent>& tables);

} // namespace tools
