#include "richtext/EngineFixture.h"
#include "reader/ScoreRecords.h"

using reader::DecodeScore;
using reader::ScoreRecord;
using Kind = reader::ScoreRecord::Kind;

namespace {

std::string nul(std::initializer_list<std::string> fields, bool lastEnds)
{
    std::string joined;
    std::size_t i = 0;
    for (const auto& field : fields) {
        joined += field;
        if (++i < fields.size() || lastEnds)
            joined += '\0';
    }
    return joined;
}

class DecodeFromEngine : public richtext::testing::EngineTest {};

} // namespace

// The records are read from the engine's own answer string, so the two
// cannot drift apart.
TEST_F(DecodeFromEngine, ReadsTheTextBoxesThenTheRadioGroupsTheEngineWrote)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=晓><INPUT TYPE=TEXT VALUE=x\\y><BR>"
           "<INPUT TYPE=RADIO NAME=A><INPUT TYPE=RADIO NAME=A CHECKED=TRUE><INPUT TYPE=RADIO NAME=B CHECKED=TRUE>");
    editBox(1).setText("text");
    editBox(2).setText("");
    engine.PutScore("radio", "A", 1, "1");
    const std::vector<ScoreRecord> records = DecodeScore(engine.GetScore());
    const std::vector<ScoreRecord> expected{{Kind::Text, 1, "noname", "text", "晓"},
                                            {Kind::Text, 2, "noname", "", "x\\y"},
                                            {Kind::Radio, 1, "A", "1", "2"},
                                            {Kind::Radio, 2, "B", "0", "1"}};
    EXPECT_EQ(records, expected);
}

TEST_F(DecodeFromEngine, ReadsEitherPartAlone)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=a>");
    EXPECT_EQ(DecodeScore(engine.GetScore()), (std::vector<ScoreRecord>{{Kind::Text, 1, "noname", "", "a"}}));
    engine.Text("<P><INPUT TYPE=RADIO NAME=g CHECKED=TRUE>");
    engine.Refresh1(0);
    EXPECT_EQ(DecodeScore(engine.GetScore()), (std::vector<ScoreRecord>{{Kind::Radio, 1, "g", "0", "1"}}));
    engine.Text("<P>no inputs");
    engine.Refresh1(0);
    EXPECT_TRUE(DecodeScore(engine.GetScore()).empty());
}

TEST(DecodeScore, AStringOfAnotherFormIsRefused)
{
    const std::string cases[] = {
        nul({"text", "1", "noname", "a"}, true),                      // cut short
        nul({"check", "1", "noname", "a", "b"}, true),                // unknown kind
        nul({"text", "x", "noname", "a", "b"}, true),                 // number not a number
        nul({"text", "0", "noname", "a", "b"}, true),                 // numbers count from 1
        nul({"text", "1 ", "noname", "a", "b"}, true),                // no room for spaces
        nul({"radio", "1", "g", "first", "1"}, false),                // chosen position not a number
        nul({"radio", "1", "g", "1", "-1"}, false),                   // negative key position
        nul({"text", "1", "noname", "a", "b", "stray"}, false),       // a field left over
    };
    for (const auto& score : cases)
        EXPECT_THROW(DecodeScore(score), std::invalid_argument) << ::testing::PrintToString(score);
}

TEST(DecodeScore, FieldsAreTakenByPositionSoAnswersMayLookLikeKinds)
{
    const std::string score = nul({"text", "1", "noname", "radio", "", "text", "2", "noname", "", "text"}, true);
    EXPECT_EQ(DecodeScore(score), (std::vector<ScoreRecord>{{Kind::Text, 1, "noname", "radio", ""},
                                                            {Kind::Text, 2, "noname", "", "text"}}));
}
