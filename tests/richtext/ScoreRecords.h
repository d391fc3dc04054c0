#pragma once
#include "richtext/CSuperTextC.h"
#include "support/Split.h"

#include <string>
#include <vector>

namespace richtext::testing {

// Puts every answer of a GetScore string back: each record is kind,
// number, name, answer and key.
inline void putScoreBack(CSuperTextC& engine, const std::string& score)
{
    const std::vector<std::string> fields = testsupport::splitAt(score, '\0');
    for (std::size_t i = 0; i + 3 < fields.size();) {
        if (fields[i] == "text" || fields[i] == "radio") {
            engine.PutScore(fields[i], fields[i + 2], std::stoi(fields[i + 1]), fields[i + 3]);
            i += 5;
        } else {
            ++i;
        }
    }
}

} // namespace richtext::testing
