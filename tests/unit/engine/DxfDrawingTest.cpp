// A drawing written by ezdxf, read by the host, extracted: every text a user sees must be
// what an independent reading of the same file works out.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "EngineDrawing.h"
#include "dxf/DxfReader.h"
#include "support/CommandOutput.h"

namespace {

using Values = std::map<std::u16string, std::u16string>;

std::string SourceDir()
{
    const char* pDir = std::getenv("KV_SOURCE_DIR");
    return pDir ? pDir : KV_SOURCE_DIR;
}

// Runs Debian's python on the oracle script; its listing, empty when it failed.
std::string RunOracle(const std::string& dxfPath, const std::string& luprec)
{
    int status = -1;
    const std::string listing = CommandOutput(
        "/usr/bin/python3 " + SourceDir() + "/tests/unit/engine/make_engine_drawing.py '" + dxfPath + "' " + luprec,
        &status);
    return status == 0 ? listing : std::string();
}

// Handle -> what a table row of the record would show (kind name under "").
std::map<std::u16string, Values> RowsByHandle(const ExtractionEngine& engine)
{
    std::map<std::u16string, Values> rows;
    auto addGeom = [&](const auto& records) {
        for (const GeomEnt& record : records) {
            Values values = Shown(record, engine.catalog);
            values[u""] = record.csName;
            rows[record.csHandle] = values;
        }
    };
    addGeom(engine.lsLines);
    addGeom(engine.lsPolyLines);
    addGeom(engine.lsArcs);
    addGeom(engine.lsCircles);
    addGeom(engine.lsSolids);
    addGeom(engine.lsSolids3D);
    addGeom(engine.lsPoints);
    addGeom(engine.lsMTexts);
    for (const BlockEnt& block : engine.lsBlocks) {
        Values values;
        values[u""] = u"Block";
        values[u"Name"] = block.csName;
        for (const PropValueList* pList : {&block.lsAttributs, &block.lsProps})
            for (const PropValue& pair : *pList) values[pair.name] = pair.value;
        for (const PropValue& pair : block.GetBlockProps(engine.catalog.blcDatas)) values[pair.name] = pair.value;
        rows[block.csHandle] = values;
    }
    return rows;
}

std::string Utf8(const std::u16string& text)
{
    return kvToUtf8(text);
}

class DxfDrawingTest : public EngineDrawingTest {
protected:
    void TearDown() override
    {
        EngineDrawingTest::TearDown();
        if (!m_path.empty()) std::remove(m_path.c_str());
    }
    std::string m_path;
};

TEST_F(DxfDrawingTest, ExtractionShowsWhatTheFileHolds)
{
    char name[] = "/tmp/kv_engine_XXXXXX.dxf";
    const int fd = ::mkstemps(name, 4);
    ASSERT_GE(fd, 0);
    ::close(fd);
    m_path = name;
    // The precisions at either end and a middle one: the digits shown follow each.
    for (const char* luprec : {"0", "2", "8"}) {
        SCOPED_TRACE(std::string("LUPREC ") + luprec);
        const std::string listing = RunOracle(m_path, luprec);
        ASSERT_FALSE(listing.empty()) << "ezdxf could not write the drawing";

        DxfLoaded loaded = dxfReadFile(m_path);
        kvdbHostApplicationServices()->setWorkingDatabase(loaded.database.get());
        const ExtractionEngine engine = Read();
        kvdbHostApplicationServices()->setWorkingDatabase(&Db());
        const std::map<std::u16string, Values> rows = RowsByHandle(engine);

        std::istringstream lines(listing);
        std::string line;
        std::size_t records = 0;
        while (std::getline(lines, line)) {
            std::vector<std::u16string> fields;
            std::istringstream split(line);
            for (std::string field; std::getline(split, field, '|');) fields.push_back(kvFromUtf8(field));
            ASSERT_GE(fields.size(), 2u) << line;
            const auto row = rows.find(fields[0]);
            if (fields[1] == u"-") {
                EXPECT_EQ(row, rows.end()) << "no record expected for " << line;
                continue;
            }
            ASSERT_NE(row, rows.end()) << "no record for " << line;
            ++records;
            EXPECT_EQ(row->second.at(u""), fields[1]) << line;
            for (std::size_t i = 2; i < fields.size(); ++i) {
                const std::size_t eq = fields[i].find(u'=');
                const std::u16string property = fields[i].substr(0, eq);
                std::u16string expected = fields[i].substr(eq + 1);
                for (std::size_t at; (at = expected.find(u"\\n")) != std::u16string::npos;)
                    expected.replace(at, 2, u"\n");
                const auto value = row->second.find(property);
                ASSERT_NE(value, row->second.end()) << Utf8(property) << " missing: " << line;
                EXPECT_EQ(Utf8(value->second), Utf8(expected)) << Utf8(property) << " of " << line;
            }
        }
        EXPECT_EQ(records, rows.size());
        EXPECT_GE(records, 10u);
    }
}

}  // namespace
