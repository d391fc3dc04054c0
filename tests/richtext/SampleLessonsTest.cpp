// The sample disc's lessons, as the build put them in build/disc/product/text: each
// is read from its GB2312 file, laid out on the fake surface with the disc's
// pictures, and must carry every kind of content the page engine offers.
#include "EngineFixture.h"
#include "platform/DiskTextFiles.h"
#include "richtext/CTextMark.h"
#include "support/Paths.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

using namespace richtext;

namespace {

struct SampleLesson {
    std::string file;
    std::string chunk;
};

void PrintTo(const SampleLesson& lesson, std::ostream* out) { *out << lesson.file << ' ' << lesson.chunk; }

std::string textFolder() { return testsupport::discDir() + "/product/text"; }

std::string readChunk(const SampleLesson& lesson, platform::MessageBoxes& messages)
{
    platform::DiskTextFiles files;
    CTextMark reader(files, messages);
    if (reader.FileName(textFolder() + "/" + lesson.file) != 0 || reader.FindChunk(lesson.chunk) != 0)
        return {};
    return reader.Read();
}

// A file's lessons are its chunks LESSON1, LESSON2, ... up to the first gap.
std::vector<SampleLesson> sampleLessons()
{
    std::vector<SampleLesson> lessons;
    std::error_code error;
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(textFolder(), error))
        if (entry.path().extension() == ".txt")
            names.insert(entry.path().filename().string());
    platform::fake::FakeMessageBoxes messages;
    platform::DiskTextFiles files;
    for (const auto& name : names) {
        CTextMark reader(files, messages);
        if (reader.FileName(textFolder() + "/" + name) != 0)
            continue;
        for (int n = 1; reader.FindChunk("LESSON" + std::to_string(n)) == 0; ++n)
            lessons.push_back({name, "LESSON" + std::to_string(n)});
    }
    return lessons;
}

// The opening tags of a lesson, read with the engine's own tokenizer.
std::vector<Token> openingTagsOf(std::string_view source)
{
    std::vector<Token> tags;
    Token token;
    for (TokenKind kind; (kind = NextToken(source, token)) != TokenKind::End;)
        if (kind != TokenKind::Closing)
            tags.push_back(token);
    return tags;
}

// The size a BMP file's header gives: width and height at bytes 18 and 22.
std::pair<int, int> bmpSize(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char header[26] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto int32At = [&](int at) { return int(header[at] | header[at + 1] << 8 | header[at + 2] << 16 | header[at + 3] << 24); };
    if (!in || header[0] != 'B' || header[1] != 'M')
        return {0, 0};
    return {int32At(18), std::abs(int32At(22))};
}

std::string capitals(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

class SampleLessonTest : public richtext::testing::EngineTest, public ::testing::WithParamInterface<SampleLesson> {
protected:
    std::string source;

    void SetUp() override
    {
        EngineTest::SetUp();
        fakes.app.realFileSystem = true;
        offerTheDiscsPictures();
        engine.CurrPath(textFolder());
        source = readChunk(GetParam(), fakes.messages);
        ASSERT_FALSE(source.empty());
        layOut(source);
    }

    // The fake toolkit loads the disc's BMP files by the names the engine
    // builds: the lesson's names in capitals.
    void offerTheDiscsPictures()
    {
        for (const auto& entry : std::filesystem::directory_iterator(textFolder()))
            if (entry.path().extension() == ".bmp")
                fakes.toolkit.pictures[textFolder() + "/" + capitals(entry.path().filename().string())] =
                    bmpSize(entry.path());
    }

    // The values of one attribute over all opening tags of one name.
    std::vector<std::string> attributeOfTags(const std::string& tagName, const std::string& attributeName)
    {
        std::vector<std::string> values;
        for (const Token& tag : openingTagsOf(source))
            if (capitals(tag.name) == tagName)
                values.push_back(GetAttr(tag.attributes, attributeName, fakes.messages));
        return values;
    }
};

TEST_P(SampleLessonTest, LaysOutWithoutAnyMessage)
{
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.shown.front().text;
    EXPECT_GT(engine.nTotSen(), 0);
    EXPECT_GT(engine.Document().nTotPiece(), 0);
    for (const auto& sentence : engine.Document().Sentence)
        EXPECT_GE(sentence.LastPiece, sentence.FirstPiece) << "a sentence without text";
}

TEST_P(SampleLessonTest, PicturesComeFromTheDiscAndSomeAreMasked)
{
    const auto& images = engine.Document().Images;
    ASSERT_FALSE(images.empty());
    std::size_t maskNamed = 0, masked = 0;
    for (const auto& mask : attributeOfTags("IMG", "MASK"))
        maskNamed += mask.empty() ? 0 : 1;
    for (const auto& image : images) {
        masked += image.HasMask ? 1 : 0;
        EXPECT_FALSE(image.Hot.empty()) << "a picture without its text for the host";
    }
    EXPECT_GE(masked, 1u);
    EXPECT_LT(masked, images.size()) << "no picture without a mask";
    EXPECT_EQ(masked, maskNamed) << "a mask the lesson names is not on the disc";

    // Every picture and every mask was loaded from the disc, drawn at the
    // size the lesson shows it.
    ASSERT_EQ(fakes.toolkit.pictureLoads.size(), images.size() + masked);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const platform::PicturePtr picture = imageHolder(int(i) + 1).picture();
        ASSERT_TRUE(picture) << "picture " << i << " is not on the disc";
        EXPECT_EQ(picture->width(), images[i].Right - images[i].Left) << "picture " << i;
        EXPECT_EQ(picture->height(), images[i].Bottom - images[i].Top) << "picture " << i;
    }
}

TEST_P(SampleLessonTest, HasHotWordsRulesAndATable)
{
    const auto& doc = engine.Document();
    EXPECT_GT(doc.nTotHot(), 0);
    for (const auto& hot : doc.HotSpot)
        EXPECT_GE(hot.LastPiece, hot.FirstPiece) << "a hot word without text";
    EXPECT_GT(doc.nRule(), 0);

    const auto tableColumns = attributeOfTags("TABLE", "X");
    ASSERT_FALSE(tableColumns.empty());
    for (const auto& column : tableColumns) {
        const int x = std::stoi(column);
        const auto rows = std::count_if(doc.TextPiece.begin(), doc.TextPiece.end(),
                                        [x](const Piece& piece) { return piece.X == x && !piece.Text.empty(); });
        EXPECT_GE(rows, 2) << "the table's column at x " << x << " holds fewer than two rows";
    }
}

TEST_P(SampleLessonTest, HiddenSectionsHoldSentencesThatShowWhenSwitchedOn)
{
    const auto sections = std::int16_t(engine.DivShown().size());
    ASSERT_GT(sections, 0);
    const auto hiddenSentences = engine.nTotSen();
    for (std::int16_t k = 0; k < sections; ++k)
        engine.SwitchDiv(k);
    engine.Refresh1(0);
    EXPECT_GT(engine.nTotSen(), hiddenSentences);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_P(SampleLessonTest, ExercisesOfAllThreeKindsCarryTheirKeys)
{
    const auto& doc = engine.Document();
    ASSERT_GT(doc.nTextBox(), 0);
    for (const auto& box : doc.TextBoxes)
        EXPECT_TRUE(!box.Value.empty() || !box.Mode.empty()) << "a marked text box without an answer";

    ASSERT_GE(doc.nCheckBox(), 2);
    const auto keyed = std::count_if(doc.CheckBoxes.begin(), doc.CheckBoxes.end(), [](const auto& c) { return c.Key; });
    EXPECT_GT(keyed, 0);
    EXPECT_LT(keyed, doc.nCheckBox());

    // Radio items answer one question per run of the same group name.
    ASSERT_GE(doc.nRadio(), 2);
    for (std::size_t first = 0; first < doc.Radios.size();) {
        std::size_t end = first;
        int keys = 0;
        for (; end < doc.Radios.size() && doc.Radios[end].Group == doc.Radios[first].Group; ++end)
            keys += doc.Radios[end].Key ? 1 : 0;
        EXPECT_GE(end - first, 2u) << "group " << doc.Radios[first].Group;
        EXPECT_EQ(keys, 1) << "group " << doc.Radios[first].Group;
        first = end;
    }
}

std::string lessonName(const ::testing::TestParamInfo<SampleLesson>& info)
{
    std::string name = info.param.file.substr(0, info.param.file.find('.')) + "_" + info.param.chunk;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Disc, SampleLessonTest, ::testing::ValuesIn(sampleLessons()), lessonName);

TEST(SampleLessons, TheDiscHoldsSeveralLessonsInMoreThanOneFile)
{
    const auto lessons = sampleLessons();
    std::set<std::string> files;
    for (const auto& lesson : lessons)
        files.insert(lesson.file);
    EXPECT_GE(lessons.size(), 3u);
    EXPECT_GE(files.size(), 2u);
}

} // namespace
