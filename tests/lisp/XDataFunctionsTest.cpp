// Ent_setXData and Ent_getXData called from LISP in a host session with Kelvane loaded,
// on lines added to the session's drawing.
#include "tests/frame/ModuleHost.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>

#include <gtest/gtest.h>

namespace {

class XDataFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.load("Kelvane"));
        m_lineId = m_host.addLine();
        m_host.eval("(setq e (entlast))");
    }

    AcDbDatabase* database() { return acdbHostApplicationServices()->workingDatabase(); }

    void addLockedLayer(const char* name)
    {
        AcDbLayerTable* layers = nullptr;
        ASSERT_EQ(database()->getSymbolTable(layers, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbLayerTableRecord;
        record->setName(name);
        record->setIsLocked(true);
        AcDbObjectId id;
        EXPECT_EQ(layers->add(id, record), Acad::eOk);
        record->close();
        layers->close();
    }

    bool isRegistered(const char* appName)
    {
        AcDbRegAppTable* apps = nullptr;
        EXPECT_EQ(database()->getSymbolTable(apps, AcDb::kForRead), Acad::eOk);
        const bool has = apps->has(appName);
        apps->close();
        return has;
    }

    dh::test::ModuleHost m_host;
    AcDbObjectId m_lineId;
};

TEST_F(XDataFunctions, EachValueTypeComesBackAsWritten)
{
    struct Case {
        const char* value;
        const char* readBack;
    };
    const Case cases[] = {
        {"2.5", R"((("APP" 2.5)))"},
        {"12", R"((("APP" 12)))"},
        {"-1", R"((("APP" -1)))"},
        {R"("文字")", R"((("APP" "文字")))"},
        {"'(1.0 2.0 3.0)", R"((("APP" (1.0 2.0 3.0))))"},
        // A 32-bit value is read back as 16 bits: 70000 = 0x11170, low half 0x1170.
        {"70000", R"((("APP" 4464)))"},
        {"-70000", R"((("APP" -4464)))"},
        {"40000", R"((("APP" -25536)))"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_host.eval(std::string("(Ent_setXData e \"APP\" ") + c.value + ")"), "T") << c.value;
        EXPECT_EQ(m_host.eval(R"((Ent_getXData e "APP"))"), c.readBack) << c.value;
    }
}

TEST_F(XDataFunctions, AWriteReplacesThatApplicationOnlyAndRegistersItsName)
{
    EXPECT_FALSE(isRegistered("FIRST"));
    EXPECT_EQ(m_host.eval(R"((Ent_setXData e "FIRST" "one"))"), "T");
    EXPECT_TRUE(isRegistered("FIRST"));
    EXPECT_EQ(m_host.eval(R"((Ent_setXData e "SECOND" 7))"), "T");
    EXPECT_EQ(m_host.eval(R"((Ent_setXData e "FIRST" "two"))"), "T");

    EXPECT_EQ(m_host.eval(R"((Ent_getXData e "FIRST"))"), R"((("FIRST" "two")))");
    EXPECT_EQ(m_host.eval(R"((Ent_getXData e "SECOND"))"), R"((("SECOND" 7)))");
    // An empty name reads every application, in the order the drawing keeps them.
    EXPECT_EQ(m_host.eval(R"((Ent_getXData e ""))"), R"((("FIRST" "two") ("SECOND" 7)))");
}

TEST_F(XDataFunctions, ReadsTheFirstItemOfEveryApplicationOtherToolsWrote)
{
    // Data as another program may leave it: several items under one name, and a first
    // item of a kind these functions do not read (1070, a 16-bit integer).
    ASSERT_TRUE(acdbRegApp("A"));
    ASSERT_TRUE(acdbRegApp("B"));
    ASSERT_TRUE(acdbRegApp("C"));
    resbuf* chain = acutBuildList(1001, "A", 1000, "x", 1000, "y", 1001, "B", 1040, 2.5,
                                  1001, "C", 1070, 5, 1000, "z", 0);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, m_lineId, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(entity->setXData(chain), Acad::eOk);
    entity->close();
    acutRelRb(chain);

    EXPECT_EQ(m_host.eval(R"((Ent_getXData e ""))"), R"((("A" "x") ("B" 2.5)))");
    EXPECT_EQ(m_host.eval(R"((Ent_getXData e "C"))"), "nil");
}

TEST_F(XDataFunctions, ARefusedWriteIsNotReportedAsDone)
{
    EXPECT_EQ(m_host.eval(R"((Ent_setXData e "" 1))"), "nil");
    EXPECT_EQ(m_host.eval(R"((Ent_getXData e ""))"), "nil");
}

TEST_F(XDataFunctions, NothingStoredReadsAsNil)
{
    EXPECT_EQ(m_host.eval(R"((Ent_getXData e "NONE"))"), "nil");
    EXPECT_EQ(m_host.eval(R"((Ent_getXData e ""))"), "nil");
}

TEST_F(XDataFunctions, BadArgumentsGiveNilAndWriteNothing)
{
    const char* lines[] = {
        R"((Ent_setXData e "APP"))",
        R"((Ent_setXData e "APP" 1 2))",
        R"((Ent_setXData e "APP" '(1.0 2.0)))",
        R"((Ent_setXData e "APP" e))",
        R"((Ent_setXData e "APP" nil))",
        R"((Ent_setXData "e" "APP" 1))",
        R"((Ent_setXData e 5 1))",
        R"((Ent_getXData e))",
        R"((Ent_getXData e "APP" 1))",
        R"((Ent_getXData "e" "APP"))",
    };
    for (const char* line : lines)
        EXPECT_EQ(m_host.eval(line), "nil") << line;
    EXPECT_EQ(m_host.eval(R"((Ent_getXData e "APP"))"), "nil");
    EXPECT_FALSE(isRegistered("APP"));
}

TEST_F(XDataFunctions, AnEntityThatCannotBeOpenedGivesNoValue)
{
    addLockedLayer("LOCKED");
    m_host.addLine("LOCKED");
    m_host.eval("(setq locked (entlast))");
    EXPECT_EQ(m_host.eval(R"((Ent_setXData locked "APP" 1))"), "");
    EXPECT_EQ(m_host.eval(R"((Ent_getXData locked "APP"))"), "nil");

    m_host.eval("(entdel e)");
    EXPECT_EQ(m_host.eval(R"((Ent_setXData e "APP" 1))"), "");
    EXPECT_EQ(m_host.eval(R"((Ent_getXData e "APP"))"), "");
}

} // namespace
