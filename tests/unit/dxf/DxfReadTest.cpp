// Drawings written by ezdxf, read into the database and checked entity by entity against
// the values ezdxf itself reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include "DxfTestSupport.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfWriter.h"
#include "kv/KvProgress.h"
#include "kv/kv.h"
#include "support/QueuedEditorInput.h"

using namespace dxftest;

namespace {

struct Expected {
    std::string handle, type;
    std::map<std::string, std::string> values;
};

std::vector<Expected> parseListing(const std::string& listing, std::map<std::string, std::string>& header)
{
    std::vector<Expected> out;
    for (const std::string& line : lines(listing)) {
        std::vector<std::string> f = split(line, '|');
        if (f.empty()) continue;
        std::map<std::string, std::string> kv;
        for (std::size_t i = f[0] == "header" ? 1 : 2; i < f.size(); ++i) {
            auto eq = f[i].find('=');
            if (eq != std::string::npos) kv[f[i].substr(0, eq)] = f[i].substr(eq + 1);
        }
        if (f[0] == "header")
            header = kv;
        else if (f.size() >= 2)
            out.push_back({f[0], f[1], kv});
    }
    return out;
}

KvGePoint3d point(const std::string& s)
{
    std::vector<std::string> c = split(s, ',');
    return KvGePoint3d(std::stod(c.at(0)), std::stod(c.at(1)), std::stod(c.at(2)));
}

void expectPoint(const KvGePoint3d& actual, const std::string& expected, const std::string& what)
{
    KvGePoint3d e = point(expected);
    EXPECT_NEAR(actual.x, e.x, 1e-9) << what;
    EXPECT_NEAR(actual.y, e.y, 1e-9) << what;
    EXPECT_NEAR(actual.z, e.z, 1e-9) << what;
}

double num(const Expected& e, const std::string& key)
{
    return std::stod(e.values.at(key));
}

std::string upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void checkCommon(const KvDbEntity& ent, const Expected& e)
{
    const std::string what = e.type + " " + e.handle;
    EXPECT_EQ(u8(ent.layer()), e.values.at("layer")) << what;
    EXPECT_EQ(ent.colorIndex(), std::stoi(e.values.at("color"))) << what;
    EXPECT_EQ(upper(u8(ent.linetype())), upper(e.values.at("linetype"))) << what;
    EXPECT_DOUBLE_EQ(ent.linetypeScale(), num(e, "ltscale")) << what;
    EXPECT_EQ(ent.lineWeight(), std::stoi(e.values.at("lineweight"))) << what;
    EXPECT_EQ(ent.trueColor(), std::stoi(e.values.at("truecolor"))) << what;
}

void checkEntity(KvDbDatabase& db, const Expected& e)
{
    const std::string what = e.type + " " + e.handle;
    KvDbObjectId id;
    ASSERT_EQ(db.getKvDbObjectId(id, KvDbHandle::fromText(u16(e.handle))), Kvmo::eOk) << what;
    KvDbObject* o = db.objectAt(id);
    ASSERT_NE(o, nullptr) << what;
    auto* ent = dynamic_cast<KvDbEntity*>(o);
    ASSERT_NE(ent, nullptr) << what;
    EXPECT_EQ(u8(ent->dxfName()), e.type) << what;
    checkCommon(*ent, e);
    if (e.type == "LINE") {
        auto* l = kvCast<KvDbLine>(o);
        ASSERT_NE(l, nullptr) << what;
        expectPoint(l->startPoint(), e.values.at("start"), what);
        expectPoint(l->endPoint(), e.values.at("end"), what);
        EXPECT_DOUBLE_EQ(l->thickness(), num(e, "thickness")) << what;
    } else if (e.type == "ARC") {
        auto* a = kvCast<KvDbArc>(o);
        ASSERT_NE(a, nullptr) << what;
        expectPoint(a->center(), e.values.at("center"), what);
        EXPECT_DOUBLE_EQ(a->radius(), num(e, "radius")) << what;
        EXPECT_NEAR(a->startAngle(), num(e, "start") * M_PI / 180, 1e-12) << what;
        EXPECT_NEAR(a->endAngle(), num(e, "end") * M_PI / 180, 1e-12) << what;
        EXPECT_DOUBLE_EQ(a->thickness(), num(e, "thickness")) << what;
    } else if (e.type == "CIRCLE") {
        auto* c = kvCast<KvDbCircle>(o);
        ASSERT_NE(c, nullptr) << what;
        expectPoint(c->center(), e.values.at("center"), what);
        EXPECT_DOUBLE_EQ(c->radius(), num(e, "radius")) << what;
    } else if (e.type == "POINT") {
        auto* p = kvCast<KvDbPoint>(o);
        ASSERT_NE(p, nullptr) << what;
        expectPoint(p->position(), e.values.at("position"), what);
        EXPECT_DOUBLE_EQ(p->thickness(), num(e, "thickness")) << what;
    } else if (e.type == "SOLID") {
        auto* s = kvCast<KvDbSolid>(o);
        ASSERT_NE(s, nullptr) << what;
        for (unsigned i = 0; i < 4; ++i) {
            KvGePoint3d pt;
            s->getPointAt(i, pt);
            expectPoint(pt, e.values.at("v" + std::to_string(i)), what + " vertex " + std::to_string(i));
        }
    } else if (e.type == "LWPOLYLINE") {
        auto* p = kvCast<KvDbPolyline>(o);
        ASSERT_NE(p, nullptr) << what;
        EXPECT_EQ(p->isClosed(), e.values.at("closed") == "1") << what;
        EXPECT_EQ(p->hasPlinegen(), e.values.at("plinegen") == "1") << what;
        double width = -1;
        Kvmo::ErrorStatus es = p->getConstantWidth(width);
        EXPECT_EQ(es, Kvmo::eOk) << what;
        EXPECT_DOUBLE_EQ(width, num(e, "width")) << what;
        std::vector<std::string> verts = split(e.values.at("verts"), ';');
        ASSERT_EQ(p->numVerts(), verts.size()) << what;
        for (std::size_t i = 0; i < verts.size(); ++i) {
            KvGePoint3d v = point(verts[i]);
            EXPECT_DOUBLE_EQ(p->vertices()[i].point.x, v.x) << what;
            EXPECT_DOUBLE_EQ(p->vertices()[i].point.y, v.y) << what;
            EXPECT_DOUBLE_EQ(p->vertices()[i].bulge, v.z) << what;
        }
    } else if (e.type == "MTEXT") {
        auto* m = kvCast<KvDbMText>(o);
        ASSERT_NE(m, nullptr) << what;
        expectPoint(m->location(), e.values.at("location"), what);
        std::string text = u8(m->contents());
        for (char& c : text)
            if (c == '|') c = '!';
        EXPECT_EQ(text, e.values.at("text")) << what;
        EXPECT_DOUBLE_EQ(m->textHeight(), num(e, "height")) << what;
        EXPECT_DOUBLE_EQ(m->width(), num(e, "width")) << what;
        EXPECT_EQ(m->attachment(), std::stoi(e.values.at("attachment"))) << what;
        EXPECT_EQ(m->flowDirection(), std::stoi(e.values.at("flow"))) << what;
        EXPECT_NEAR(m->rotation(), num(e, "rotation"), 1e-12) << what;
        EXPECT_DOUBLE_EQ(m->lineSpacingFactor(), num(e, "spacing")) << what;
        EXPECT_EQ(m->lineSpacingStyle(), std::stoi(e.values.at("spacingstyle"))) << what;
        EXPECT_EQ(m->backgroundFillOn(), e.values.at("background") == "1") << what;
    } else if (e.type == "INSERT") {
        auto* r = kvCast<KvDbBlockReference>(o);
        ASSERT_NE(r, nullptr) << what;
        auto* btr = kvCast<KvDbBlockTableRecord>(db.objectAt(r->blockTableRecord()));
        ASSERT_NE(btr, nullptr) << what;
        EXPECT_EQ(u8(btr->getName()), e.values.at("name")) << what;
        expectPoint(r->position(), e.values.at("position"), what);
        KvGePoint3d s = point(e.values.at("scale"));
        EXPECT_DOUBLE_EQ(r->scaleFactors().sx, s.x) << what;
        EXPECT_DOUBLE_EQ(r->scaleFactors().sy, s.y) << what;
        EXPECT_DOUBLE_EQ(r->scaleFactors().sz, s.z) << what;
        EXPECT_NEAR(r->rotation(), num(e, "rotation"), 1e-12) << what;
        std::string attribs;
        for (KvDbObjectId a : r->attributeIds()) {
            auto* att = kvCast<KvDbAttribute>(db.objectAt(a));
            ASSERT_NE(att, nullptr) << what;
            EXPECT_EQ(att->ownerId(), r->objectId()) << what;
            attribs += (attribs.empty() ? "" : ";") + u8(att->tag()) + ":" + u8(att->textString());
        }
        EXPECT_EQ(attribs, e.values.at("attribs")) << what;
    } else if (e.type == "3DSOLID") {
        auto* s = kvCast<KvDb3dSolid>(o);
        ASSERT_NE(s, nullptr) << what;
        EXPECT_EQ(s->modelerData().size(), std::stoul(e.values.at("satlines"))) << what;
    }
    if (e.values.count("xdata")) {
        resbuf* rb = o->xData(u"MYAPP");
        ASSERT_NE(rb, nullptr) << what;
        KvTypedValueList x = kvRbToTypedValues(rb);
        kvutRelRb(rb);
        std::string got;
        for (std::size_t i = 1; i < x.size(); ++i) {
            got += (i > 1 ? ";" : "") + std::to_string(x[i].code) + ":";
            char buf[64];
            if (x[i].text())
                got += u8(*x[i].text());
            else if (x[i].real()) {
                std::snprintf(buf, sizeof buf, "%.17g", *x[i].real());
                got += buf;
            } else if (x[i].integer())
                got += std::to_string(*x[i].integer());
            else if (x[i].point()) {
                std::snprintf(buf, sizeof buf, "%.1f,%.1f,%.1f", x[i].point()->x, x[i].point()->y, x[i].point()->z);
                got += buf;
            }
        }
        EXPECT_EQ(got, e.values.at("xdata")) << what;
    }
    if (e.values.count("hyperlink")) {
        KvDbEntityHyperlinkPE* pe = KvDbEntityHyperlinkPE::cast(o);
        ASSERT_NE(pe, nullptr);
        KvDbHyperlinkCollection* links = nullptr;
        ASSERT_EQ(pe->getHyperlinkCollection(o, links), Kvmo::eOk);
        ASSERT_NE(links, nullptr);
        ASSERT_EQ(links->count(), 1) << what;
        EXPECT_EQ(u8(links->item(0)->name()), e.values.at("hyperlink")) << what;
        delete links;
    }
}

// Everything the reader decided about a drawing, as text: objects with their common values
// and the cut of the file into chunks.
std::string fingerprint(const DxfLoaded& loaded, bool withChunks = true)
{
    const KvDbDatabase& db = *loaded.database;
    std::ostringstream out;
    for (KvDbObjectId id : db.allObjects()) {
        const KvDbObject* o = db.objectAt(id);
        const KvDbObject* owner = db.objectAt(o->ownerId());
        out << o->handle().value() << ' ' << u8(o->dxfName()) << " in " << (owner ? owner->handle().value() : 0) << " x"
            << o->xDataValues().size();
        if (auto* e = kvCast<KvDbEntity>(o))
            out << ' ' << u8(e->layer()) << '/' << u8(e->linetype()) << '/' << e->colorIndex() << '/' << e->lineWeight()
                << '/' << u8(e->plotStyleName());
        if (auto* a = kvCast<KvDbAttribute>(o)) out << " tag " << u8(a->tag());
        if (auto* t = kvCast<KvDbText>(o)) out << " text " << u8(t->textString());
        if (auto* m = kvCast<KvDbMText>(o)) out << " mtext " << u8(m->contents());
        if (auto* r = kvCast<KvDbBlockReference>(o))
            if (auto* block = kvCast<KvDbBlockTableRecord>(db.objectAt(r->blockTableRecord())))
                out << " block " << u8(block->getName());
        if (auto* p = kvCast<KvDbPolyline>(o)) out << " vertices " << p->numVerts();
        out << '\n';
    }
    if (withChunks)
        for (const DxfChunk& c : loaded.document->chunks)
            out << c.begin << '+' << c.size << ':' << static_cast<int>(c.kind) << '\n';
    return out.str();
}

// A drawing read through tiny windows, so that records, tags and line ends fall across
// window boundaries, or with a part of it read by a second thread, is the drawing read in one go.
// Returns how many distinct parts were taken.
std::size_t expectSameHoweverRead(const std::string& bytes, const DxfLoaded& whole, const std::string& name)
{
    const std::string expected = fingerprint(whole);
    for (std::size_t window : {61u, 997u}) {
        DxfLoaded small = dxfReadBytes(bytes, name, window);
        EXPECT_EQ(fingerprint(small), expected) << name << ", window " << window;
    }
    std::set<std::uint64_t> partsTaken;
    for (DxfReadOptions split : splitReads(bytes)) {
        std::uint64_t taken = 0;
        split.partTakenAt = &taken;
        EXPECT_EQ(fingerprint(dxfReadBytes(bytes, name, split)), expected) << name << ", part from " << split.splitNear;
        if (taken != 0) partsTaken.insert(taken);
        split.windowBytes = 61;
        EXPECT_EQ(fingerprint(dxfReadBytes(bytes, name, split)), expected)
            << name << ", window 61, part from " << split.splitNear;
    }
    return partsTaken.size();
}

// Drawings other programs wrote read the same, objects or error, with the far part of their
// entities read by a second thread from points spread over the section.
TEST(RealDrawings, SameWithASecondThread)
{
    const char* folder = std::getenv("KV_REAL_DXF");
    if (folder == nullptr || *folder == 0 || !std::filesystem::is_directory(folder))
        GTEST_SKIP() << "no folder of drawings from other programs (KV_REAL_DXF)";
    std::size_t drawings = 0, partsTaken = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".dxf") continue;
        const std::string bytes = readAll(entry.path().string()), name = entry.path().filename().string();
        std::string expected;
        const std::string error = errorOf([&] { expected = fingerprint(dxfReadBytes(bytes, name)); });
        for (DxfReadOptions split : splitReads(bytes, 3)) {
            std::uint64_t taken = 0;
            split.partTakenAt = &taken;
            std::string got;
            EXPECT_EQ(errorOf([&] { got = fingerprint(dxfReadBytes(bytes, name, split)); }), error) << name;
            EXPECT_TRUE(got == expected) << name << ", part from " << split.splitNear;
            partsTaken += taken != 0;
        }
        ++drawings;
    }
    EXPECT_GT(partsTaken, drawings / 2) << "parts taken in " << drawings << " drawings";
}

struct OracleCase {
    const char* name;
    const char* args;  // version [bin] [codepage]
};

class EzdxfDrawing : public ::testing::TestWithParam<OracleCase> {};

TEST_P(EzdxfDrawing, DatabaseHoldsWhatEzdxfWroteAndSavesItByteForByte)
{
    TempDir dir;
    std::string file = dir.file("oracle.dxf");
    std::vector<std::string> args = split(GetParam().args, ' ');
    std::string cmd = scriptPath("make_oracle_drawing.py") + " " + args[0] + " " + file;
    for (std::size_t i = 1; i < args.size(); ++i) cmd += " " + args[i];
    int status = 0;
    std::string listing = runPython(cmd, &status);
    ASSERT_EQ(status, 0) << "ezdxf could not write the drawing: " << cmd;
    std::map<std::string, std::string> header;
    std::vector<Expected> expected = parseListing(listing, header);
    ASSERT_GT(expected.size(), 8u);

    DxfLoaded loaded = dxfReadFile(file);
    KvDbDatabase& db = *loaded.database;
    EXPECT_EQ(loaded.document->version, header.at("version"));
    EXPECT_EQ(db.luprec(), std::stoi(header.at("luprec")));
    expectPoint(db.ucsorg(), header.at("ucsorg"), "UCS origin");
    KvGeVector3d x = db.ucsxdir(), y = db.ucsydir();
    expectPoint(KvGePoint3d(x.x, x.y, x.z), header.at("ucsxdir"), "UCS X");
    expectPoint(KvGePoint3d(y.x, y.y, y.z), header.at("ucsydir"), "UCS Y");

    // Every model-space entity, in file order, and nothing else in the layouts' list.
    std::vector<std::string> order;
    for (KvDbObjectId id : db.layoutEntitiesInOrder()) {
        KvDbObject* o = db.objectAt(id);
        if (o && kvCast<KvDbBlockTableRecord>(db.objectAt(o->ownerId()))->getName() == u"*Model_Space")
            order.push_back(u8(o->handle().text()));
    }
    std::vector<std::string> expectedOrder;
    for (const Expected& e : expected) expectedOrder.push_back(e.handle);
    EXPECT_EQ(order, expectedOrder);
    for (const Expected& e : expected) checkEntity(db, e);

    EXPECT_TRUE(dxfWriteBytes(db, *loaded.document) == readAll(file)) << "unchanged drawing not saved byte for byte";
    expectSameHoweverRead(readAll(file), loaded, file);
}

INSTANTIATE_TEST_SUITE_P(Versions, EzdxfDrawing,
                         ::testing::Values(OracleCase{"R12", "R12"}, OracleCase{"R2000", "R2000"},
                                           OracleCase{"R2010", "R2010"}, OracleCase{"R2018", "R2018"},
                                           OracleCase{"R12binary", "R12 bin"}, OracleCase{"R2010binary", "R2010 bin"},
                                           OracleCase{"R2000binary", "R2000 bin"},
                                           OracleCase{"R2000CentralEurope", "R2000 asc ANSI_1250"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SampleDrawings, LoadWithTheirDynamicDoorsAndSaveByteForByte)
{
    for (const char* name : {"office_floor.dxf", "office_floor_r2000.dxf", "office_floor_r2018.dxf"}) {
        std::string path = sourceDir() + "/samples/" + name;
        DxfLoaded loaded = dxfReadFile(path);
        KvDbDatabase& db = *loaded.database;
        EXPECT_EQ(db.luprec(), 2) << name;
        int furniture = 0;
        std::vector<std::string> doorProps;
        for (KvDbObjectId id : db.layoutEntitiesInOrder()) {
            auto* ref = kvCast<KvDbBlockReference>(db.objectAt(id));
            if (!ref || kvCast<KvDbTable>(ref)) continue;
            KvDbDynBlockReference dyn(id);
            if (!dyn.isDynamicBlock()) {
                if (ref->attributeIds().size() == 5) ++furniture;
                continue;
            }
            auto* def = kvCast<KvDbBlockTableRecord>(db.objectAt(dyn.dynamicBlockTableRecord()));
            ASSERT_NE(def, nullptr);
            EXPECT_EQ(def->getName(), u"Door") << name;
            KvDbDynBlockReferencePropertyArray props;
            dyn.getBlockProperties(props);
            auto* own = kvCast<KvDbBlockTableRecord>(db.objectAt(ref->blockTableRecord()));
            std::string s = own->getName() == u"Door" ? "Door " : "*U ";
            for (const auto& p : props) {
                s += u8(p.propertyName()) + "=";
                const KvTypedValue& v = p.value();
                if (v.real()) {
                    char number[32];
                    std::snprintf(number, sizeof number, "%g", *v.real());
                    s += number;
                } else if (v.integer())
                    s += std::to_string(*v.integer()) + "i";
                else if (v.text())
                    s += u8(*v.text());
                else if (v.point())
                    s += "point";
                s += ";";
            }
            doorProps.push_back(s);
        }
        EXPECT_EQ(furniture, 13) << name;
        // The unchanged door shows its definition's values.
        EXPECT_EQ(doorProps,
                  (std::vector<std::string>{"*U Distance1=0.9;Flip state1=0i;Visibility1=Open;Origin=point;",
                                            "*U Distance1=1;Flip state1=1i;Visibility1=Closed;Origin=point;",
                                            "Door Distance1=0.9;Flip state1=0i;Visibility1=Open;Origin=point;"}))
            << name;
        EXPECT_TRUE(dxfWriteBytes(db, *loaded.document) == loaded.document->source.readAll()) << name;
        // Most points in the section give a part: an INSERT's attributes or a SEQEND there move it on.
        EXPECT_GE(expectSameHoweverRead(readAll(path), loaded, path), 8u) << name;
    }
}

namespace {
struct ProgressLog : KvProgressSink {
    struct Job {
        std::u16string what;
        std::uint64_t total = 0;
        std::vector<std::uint64_t> done;
        bool bEnded = false;
    };
    std::vector<Job> jobs;
    void begin(const std::u16string& what, std::uint64_t total) override { jobs.push_back({what, total, {}, false}); }
    void advance(std::uint64_t done) override { jobs.back().done.push_back(done); }
    void end() override { jobs.back().bEnded = true; }
};
}  // namespace

// A drawing larger than the windows the reader and writer go through: a save with a change
// copies every object across the window boundaries, and reading it back gives them all.
TEST(LargeDrawing, ChangedAndSavedKeepsEveryObject)
{
    TempDir dir;
    std::string original = dir.file("large.dxf"), saved = dir.file("saved.dxf");
    int status = 0;
    runPython(sourceDir() + "/bench/make_big_drawing.py " + original + " 15000", &status);
    ASSERT_EQ(status, 0);
    ASSERT_GT(readAll(original).size(), 3u * (4 << 20) / 2) << "smaller than two windows";
    // Both report their progress through the file, in order, each once from begin to end.
    ProgressLog log;
    kvSetProgressSink(&log);
    DxfLoaded before = dxfReadFile(original);
    kvdbHostApplicationServices()->setWorkingDatabase(before.database.get());
    ASSERT_EQ(kvdbRegApp(u"CHANGED"), RTNORM);
    dxfWriteFile(*before.database, *before.document, saved);
    kvSetProgressSink(nullptr);
    const std::uint64_t size = before.document->source.size();
    ASSERT_EQ(log.jobs.size(), 2u);
    EXPECT_EQ(log.jobs[0].what, u"Opening " + kvFromUtf8(original));
    EXPECT_EQ(log.jobs[1].what, u"Saving " + kvFromUtf8(saved));
    for (const ProgressLog::Job& job : log.jobs) {
        EXPECT_EQ(job.total, size);
        EXPECT_TRUE(job.bEnded);
        EXPECT_GE(job.done.size(), 2u) << "a step inside the file and its end";
        EXPECT_TRUE(std::is_sorted(job.done.begin(), job.done.end()));
        EXPECT_EQ(job.done.back(), size);
    }
    DxfLoaded after = dxfReadFile(saved);
    // The new application's record is last in memory and in its table in the file. The
    // drawing has no "Standard" table style: each read makes one up, with the next handle.
    std::vector<std::string> expected = lines(fingerprint(before, false)), got = lines(fingerprint(after, false));
    for (auto* list : {&expected, &got})
        std::erase_if(*list, [](const std::string& line) { return line.find(" TABLESTYLE ") != std::string::npos; });
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    std::vector<std::string> lost, added;
    std::set_difference(expected.begin(), expected.end(), got.begin(), got.end(), std::back_inserter(lost));
    std::set_difference(got.begin(), got.end(), expected.begin(), expected.end(), std::back_inserter(added));
    EXPECT_EQ(lost, std::vector<std::string>());
    EXPECT_EQ(added, std::vector<std::string>());
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

// Without the block record's tag the representation data names the definition; without the
// per-parameter records a reference shows its definition's values.
TEST(SampleDrawings, DynamicDoorsWithPartOfTheirData)
{
    std::string bytes = readAll(sourceDir() + "/samples/office_floor.dxf");
    auto replaceAll = [](std::string s, const std::string& from, const std::string& to) {
        for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
            s.replace(at, from.size(), to);
        return s;
    };
    for (int variant = 0; variant < 2; ++variant) {
        std::string changed = variant == 0 ? replaceAll(bytes, "\n1001\nAcDbBlockRepBTag\n", "\n1001\nOTHERAPP\n")
                                           : replaceAll(bytes, "\nACAD_ENHANCEDBLOCKDATA\n", "\nSOMETHING_ELSE\n");
        changed = replaceAll(changed, "\n  2\nAcDbBlockRepBTag\n", "\n  2\nOTHERAPP\n");
        ASSERT_NE(changed, bytes);
        DxfLoaded loaded = dxfReadBytes(changed, "doors.dxf");
        KvDbDatabase& db = *loaded.database;
        int named = 0;
        std::vector<double> widths;
        for (KvDbObjectId id : db.layoutEntitiesInOrder()) {
            auto* ref = kvCast<KvDbBlockReference>(db.objectAt(id));
            if (!ref) continue;
            auto* own = kvCast<KvDbBlockTableRecord>(db.objectAt(ref->blockTableRecord()));
            if (own->getName().rfind(u"*U", 0) != 0) continue;
            KvDbDynBlockReference dyn(id);
            ASSERT_TRUE(dyn.isDynamicBlock()) << variant;
            auto* def = kvCast<KvDbBlockTableRecord>(db.objectAt(dyn.dynamicBlockTableRecord()));
            ASSERT_NE(def, nullptr);
            if (def->getName() == u"Door") ++named;
            KvDbDynBlockReferencePropertyArray props;
            dyn.getBlockProperties(props);
            ASSERT_FALSE(props.empty());
            ASSERT_TRUE(props[0].value().real());
            widths.push_back(*props[0].value().real());
        }
        EXPECT_EQ(named, 2) << variant;
        EXPECT_EQ(widths, (variant == 0 ? std::vector<double>{0.9, 1.0} : std::vector<double>{0.9, 0.9})) << variant;
    }
}

TEST(TextCodec, CodePagesAndUnicodeEscapes)
{
    DxfTextCodec cp;
    ASSERT_TRUE(cp.setCodePage("ANSI_1250"));
    EXPECT_EQ(cp.decode("\xC8"
                        "elik \\U+03A9 \\u+00e9"),
              u"Čelik Ω é");
    EXPECT_EQ(cp.encode(u"Čelik Ω"),
              "\xC8"
              "elik \\U+03A9");
    ASSERT_TRUE(cp.setCodePage("ansi_1252"));
    EXPECT_EQ(cp.decode("\x80 \xE9"), u"€ é");
    EXPECT_EQ(cp.encode(u"Č😀"), "\\U+010C\\U+D83D\\U+DE00");
    EXPECT_FALSE(cp.setCodePage("ANSI_932"));  // multi-byte pages are not single-byte tables
    DxfTextCodec utf8;
    EXPECT_EQ(utf8.decode("B\xC3\xBCro \\U+2013"), u"Büro –");
    EXPECT_EQ(utf8.decode("bad \xFF byte"), u"bad ÿ byte");  // stray bytes read as Windows-1252
    EXPECT_EQ(utf8.decode("not \\U+12G4 an escape"), u"not \\U+12G4 an escape");
    // A lone surrogate cannot be UTF-8: it is written as the replacement character.
    EXPECT_EQ(utf8.encode(std::u16string(u"a") + char16_t(0xD83D) + u"b"),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(TagReader, ToleratesLineEndsAndBlanksButChecksNumbers)
{
    std::string crlf =
        "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\n1.5  \r\n 20\r\n 2\r\n 11\r\n3\r\n"
        " 21\r\n4\r\n  0\r\nENDSEC\r\n  0\r\nEOF";  // no final line end
    DxfLoaded loaded = dxfReadBytes(crlf, "crlf.dxf");
    const auto& ents = loaded.database->layoutEntitiesInOrder();
    ASSERT_EQ(ents.size(), 1u);
    auto* line = kvCast<KvDbLine>(loaded.database->objectAt(ents[0]));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->startPoint(), KvGePoint3d(1.5, 2, 0));
    EXPECT_EQ(line->endPoint(), KvGePoint3d(3, 4, 0));
    EXPECT_EQ(dxfWriteBytes(*loaded.database, *loaded.document), crlf);
}

}  // namespace

namespace {

// Handles and kinds a script printed: handle|TYPE|what.
std::map<std::string, std::string> listedHandles(const std::string& listing)
{
    std::map<std::string, std::string> out;
    for (const std::string& line : lines(listing)) {
        std::vector<std::string> f = split(line, '|');
        if (f.size() == 3) out[f[2]] = f[0];
    }
    return out;
}

std::vector<KvDbObjectId> selectEverything()
{
    std::vector<KvDbObjectId> ids;
    kv_name ss;
    if (kvedSSGet(u"A", nullptr, nullptr, nullptr, ss) != RTNORM) return ids;
    std::int32_t n = 0;
    kvedSSLength(ss, &n);
    for (std::int32_t i = 0; i < n; ++i) {
        kv_name ent;
        KvDbObjectId id;
        if (kvedSSName(ss, i, ent) == RTNORM && kvdbGetObjectId(id, ent) == Kvmo::eOk) ids.push_back(id);
    }
    kvedSSFree(ss);
    return ids;
}

}  // namespace

// What older versions keep in several entities or in older forms is shown as a CAD program
// shows it: a multi-column text is one text with the whole text (its further columns are in
// the file, not in selections), control characters are decoded, and plain heavy 2D polylines
// are lightweight ones while fitted, 3D and mesh polylines are not.
TEST(OlderForms, MultiColumnTextsCaretsAndHeavyPolylines)
{
    TempDir dir;
    const std::string file = dir.file("older.dxf");
    int status = 0;
    std::map<std::string, std::string> handle =
        listedHandles(runPython(scriptPath("make_older_forms_drawing.py") + " " + file, &status));
    ASSERT_EQ(status, 0);
    DxfLoaded loaded = dxfReadFile(file);
    KvDbDatabase& db = *loaded.database;
    auto at = [&](const std::string& what) {
        KvDbObjectId id;
        EXPECT_EQ(db.getKvDbObjectId(id, KvDbHandle::fromText(u16(handle.at(what)))), Kvmo::eOk) << what;
        return id;
    };
    auto* columns = kvCast<KvDbMText>(db.objectAt(at("columns")));
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(u8(columns->contents()), "one\\Pa\\Ntwo\\Nthree");
    EXPECT_EQ(u8(columns->text()), "one\na\ntwo\nthree");
    auto* caret = kvCast<KvDbMText>(db.objectAt(at("caret")));
    ASSERT_NE(caret, nullptr);
    EXPECT_EQ(u8(caret->text()), "x\ty 1^2 z");
    EXPECT_NE(kvCast<KvDbPolyline>(db.objectAt(at("plain"))), nullptr);
    for (const char* other : {"curve-fit", "3d", "mesh", "polyface"})
        EXPECT_EQ(kvCast<KvDbPolyline>(db.objectAt(at(other))), nullptr) << other;

    kvdbHostApplicationServices()->setWorkingDatabase(&db);
    std::vector<KvDbObjectId> all = selectEverything();
    int texts = 0;
    for (KvDbObjectId id : all) texts += kvCast<KvDbMText>(db.objectAt(id)) != nullptr;
    EXPECT_EQ(texts, 2) << "the further columns are not selected on their own";
    EXPECT_EQ(all.size(), handle.size());
    // Picking a further column picks the text it belongs to.
    QueuedEditorInput input;
    kvedSetInputProvider(&input);
    KvDbObjectId column;
    for (KvDbObjectId id : db.layoutEntitiesInOrder())
        if (kvCast<KvDbMText>(db.objectAt(id)) && !db.wholeOf(id).isNull()) column = id;
    ASSERT_FALSE(column.isNull());
    input.answers.push_back(QueuedEditorInput::Picked({db.objectAt(column)->handle()}));
    kv_name ss, ent;
    ASSERT_EQ(kvedSSGet(u":S", nullptr, nullptr, nullptr, ss), RTNORM);
    KvDbObjectId picked;
    ASSERT_EQ(kvedSSName(ss, 0, ent), RTNORM);
    kvdbGetObjectId(picked, ent);
    EXPECT_EQ(picked, at("columns"));
    kvedSSFree(ss);
    kvedSetInputProvider(nullptr);
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_TRUE(dxfWriteBytes(db, *loaded.document) == readAll(file));
}
