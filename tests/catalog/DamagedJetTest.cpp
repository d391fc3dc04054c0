#include "TestCatalog.h"
#include "catalog/Database.h"
#include "support/Paths.h"
#include "JetFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace catalog;
namespace fs = std::filesystem;

namespace {

using testsupport::fileBytes;
using testsupport::jetFixture;

// Reads every field of every row of every table, as the catalog reads fields.
void readEverything(Connection& connection)
{
    std::vector<std::string> tables;
    for (Recordset rows = GetRecordset(connection, "Select name From sqlite_schema Where type = 'table'", 0);
         !rows.atEnd(); rows.moveNext())
        tables.push_back(rows.field("name"));
    for (const std::string& table : tables) {
        std::vector<std::string> fields;
        for (Recordset rows = GetRecordset(connection, "Select name From pragma_table_info('" + table + "')", 0);
             !rows.atEnd(); rows.moveNext())
            fields.push_back(rows.field("name"));
        for (Recordset rows = GetRecordset(connection, "Select * From \"" + table + "\"", 0); !rows.atEnd(); rows.moveNext()) {
            for (const std::string& field : fields)
                rows.field(field);
        }
    }
}

using DamagedJetSampleTest = ::testing::Test;

// Samples that crash libmdb or make it loop, writing a warning without end:
// each is a database error soon, and none of the reader's warnings reaches
// the catalog's own standard error.
TEST_F(DamagedJetSampleTest, EachEndsInADatabaseErrorAndPrintsNothing)
{
    std::size_t samples = 0;
    for (const auto& entry : fs::directory_iterator(jetFixture("damaged"))) {
        if (entry.path().extension() != ".mdb")
            continue;
        ++samples;
        const std::string name = entry.path().filename().string();
        const std::string reason = name.find("crashes") != std::string::npos ? "was ended by signal"
                                   : name.find("never-ends") != std::string::npos ? "wrote messages without end"
                                                                                   : "";
        testing::internal::CaptureStderr();
        try {
            OpenDatabaseFile(entry.path().string(), testsupport::jetHelper());
            ADD_FAILURE() << name << " opened";
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << name << ": " << e.what();
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << name;
    }
    EXPECT_GE(samples, 4u);
}

// A copy of a Jet file with a few bytes changed where libmdb reads its
// catalog: every other copy in the definition of the catalog table (page 2),
// the others anywhere in the first 32 KiB (header, catalog rows, the first
// table definitions).
std::string damagedCopy(const std::string& original, std::size_t pageSize, std::size_t copy, std::mt19937& random)
{
    const bool definitionOnly = copy % 2 == 0;
    const std::size_t first = definitionOnly ? 2 * pageSize : 0;
    const std::size_t size = definitionOnly ? pageSize : 32 * 1024;
    std::string bytes = original;
    const int changes = std::uniform_int_distribution<int>(1, definitionOnly ? 4 : 12)(random);
    for (int i = 0; i < changes; ++i)
        bytes.at(first + std::uniform_int_distribution<std::size_t>(0, size - 1)(random)) =
            static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    return bytes;
}

struct MutationCase {
    const char* file;
    std::size_t pageSize;
};

using JetMutationTest = ::testing::TestWithParam<MutationCase>;

// Every damaged copy either opens and reads through, or is a database
// error; nothing crashes, hangs or throws anything else. The seed is fixed,
// so a failure comes back on every run.
TEST_P(JetMutationTest, EveryDamagedCopyOpensOrIsADatabaseError)
{
    constexpr std::size_t copies = 50;
    const std::string original = fileBytes(jetFixture(GetParam().file));
    testsupport::TempDir dir;
    const std::string path = dir.file("damaged.mdb");
    std::mt19937 random(20240611);
    std::size_t opened = 0, refused = 0;
    for (std::size_t copy = 0; copy < copies; ++copy) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << damagedCopy(original, GetParam().pageSize, copy, random);
        try {
            Connection connection = OpenDatabaseFile(path, testsupport::jetHelper());
            readEverything(connection);
            ++opened;
        } catch (const DatabaseError&) {
            ++refused;
        }
    }
    // Both ways occur, so the copies are neither all harmless nor all
    // turned away before libmdb reads them.
    EXPECT_GT(opened, 0u) << refused << " refused";
    EXPECT_GT(refused, 0u) << opened << " opened";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, JetMutationTest,
                         ::testing::Values(MutationCase{"jet3-types.mdb", 2048}, MutationCase{"jet4-types.mdb", 4096}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 4); });

} // namespace
