#include "TestDot.h"

#include <acrx/AcRxDictionary.h>

#include <cstring>
#include <unordered_set>
#include <vector>

using DatabaseTest = DrawingTest;

TEST_F(DatabaseTest, NewObjectsGetHandlesAboveTheSeed)
{
    const AcDbHandle first = addDot(1.0).handle();
    EXPECT_GE(first.value(), 1u);
    const AcDbObjectId second = addDot(2.0);
    EXPECT_EQ(second.handle().value(), first.value() + 1);
    EXPECT_GT(db()->handseed().value(), second.handle().value());

    ASSERT_EQ(db()->setHandseed(AcDbHandle(0x500)), Acad::eOk);
    EXPECT_EQ(addDot(3.0).handle().value(), 0x500u);
    EXPECT_EQ(db()->handseed().value(), 0x501u);
    // A seed at or below a handle in use would hand that handle out again.
    EXPECT_EQ(db()->setHandseed(AcDbHandle(0x500)), Acad::eInvalidInput);
    EXPECT_EQ(db()->setHandseed(AcDbHandle(0x10)), Acad::eInvalidInput);
}

TEST_F(DatabaseTest, HandlesFindTheirObjects)
{
    const AcDbObjectId id = addDot(1.0);
    AcDbObjectId found;
    ASSERT_EQ(db()->getAcDbObjectId(found, false, id.handle()), Acad::eOk);
    EXPECT_EQ(found, id);
    EXPECT_EQ(db()->getAcDbObjectId(found, false, AcDbHandle(0xFFFF)), Acad::eUnknownHandle);
    EXPECT_EQ(db()->getAcDbObjectId(found, false, AcDbHandle()), Acad::eNullHandle);

    // A handle asked for before its object exists keeps its id for the object added later.
    AcDbObjectId early;
    ASSERT_EQ(db()->getAcDbObjectId(early, true, AcDbHandle(0x2000)), Acad::eOk);
    EXPECT_FALSE(early.isValid());
    EXPECT_GT(db()->handseed().value(), 0x2000u);

    EXPECT_EQ(AcDbHandle("2F").value(), 0x2Fu);
    EXPECT_TRUE(AcDbHandle("2G").isNull());
    EXPECT_EQ(AcDbHandle(0xABCu).toString(), "ABC");
}

TEST_F(DatabaseTest, HandlesFarApartAndManyObjectsAreAllFound)
{
    // A handle far above the others, one asked for early, then enough objects that the
    // index grows over the early one.
    AcDbObjectId early;
    ASSERT_EQ(db()->getAcDbObjectId(early, true, AcDbHandle(0x3000)), Acad::eOk);
    const AcDbObjectId first = addDot(0.0);
    std::vector<AcDbObjectId> dots;
    for (int i = 0; i < 10000; ++i)
        dots.push_back(addDot(i));
    ASSERT_EQ(db()->setHandseed(AcDbHandle(0x7FFFFFFF00ull)), Acad::eOk);
    const AcDbObjectId far = addDot(-1.0);
    EXPECT_EQ(far.handle().value(), 0x7FFFFFFF00ull);

    AcDbObjectId found;
    for (AcDbObjectId id : {early, first, dots.front(), dots[5000], dots.back(), far}) {
        ASSERT_EQ(db()->getAcDbObjectId(found, false, id.handle()), Acad::eOk) << id.handle().toString();
        EXPECT_EQ(found, id);
    }
    EXPECT_EQ(db()->getAcDbObjectId(found, false, AcDbHandle(0x7FFFFFFEFFull)), Acad::eUnknownHandle);
    EXPECT_EQ(db()->getAcDbObjectId(found, false, AcDbHandle(dots.back().handle().value() + 1)),
              Acad::eUnknownHandle);
    EXPECT_EQ(db()->setHandseed(AcDbHandle(0x7FFFFFFF00ull)), Acad::eInvalidInput);
}

TEST_F(DatabaseTest, IdsAreStableComparableAndHashable)
{
    const AcDbObjectId a = addDot(1.0);
    const AcDbObjectId b = addDot(2.0);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a < b || b < a);
    std::unordered_set<AcDbObjectId> set{a, b, a};
    EXPECT_EQ(set.size(), 2u);
    EXPECT_EQ(a.database(), db());
    EXPECT_TRUE(a.isValid());
    EXPECT_EQ(a.objectClass(), TestDot::desc());
    EXPECT_FALSE(AcDbObjectId::kNull.isValid());
    EXPECT_EQ(AcDbObjectId::kNull.database(), nullptr);
    for (int i = 0; i < 1000; ++i)
        addDot(i); // growing the object table must not move existing objects
    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, a, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(dot->value(), 1.0);
    EXPECT_EQ(dot->objectId(), a);
    dot->close();
}

TEST_F(DatabaseTest, EntityNamesRoundTripAndDieWithTheirDrawing)
{
    const AcDbObjectId id = addDot(1.0);
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
    EXPECT_FALSE(ads_name_nil(name));
    AcDbObjectId back;
    ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
    EXPECT_EQ(back, id);
    ads_name again;
    acdbGetAdsName(again, back);
    EXPECT_TRUE(ads_name_equal(name, again));

    EXPECT_EQ(acdbGetAdsName(name, AcDbObjectId()), Acad::eNullObjectId);
    EXPECT_TRUE(ads_name_nil(name));
    ads_name nil = {0, 0};
    EXPECT_EQ(acdbGetObjectId(back, nil), Acad::eNullObjectId);
    ads_name forged = {12345, 1};
    EXPECT_EQ(acdbGetObjectId(back, forged), Acad::eInvalidInput);

    auto other = std::make_unique<AcDbDatabase>();
    ads_name stale;
    ASSERT_EQ(acdbGetAdsName(stale, other->modelSpaceId()), Acad::eOk);
    EXPECT_FALSE(ads_name_equal(stale, name));
    other.reset();
    EXPECT_EQ(acdbGetObjectId(back, stale), Acad::eInvalidInput);
    EXPECT_TRUE(back.isNull());
}

TEST_F(DatabaseTest, RegisteredApplicationsAreAddedOnce)
{
    EXPECT_TRUE(acdbRegApp("KELVANE_TEST"));
    EXPECT_TRUE(acdbRegApp("kelvane_test"));
    EXPECT_FALSE(acdbRegApp(""));
    EXPECT_FALSE(acdbRegApp("bad|name"));
    AcDbRegAppTable* table = nullptr;
    ASSERT_EQ(db()->getRegAppTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(table->has("KELVANE_TEST"));
    EXPECT_EQ(table->recordIds().size(), 2u); // "ACAD" and the new one
    // Registering while the table is open for read still works.
    EXPECT_TRUE(acdbRegApp("WHILE_OPEN"));
    EXPECT_TRUE(table->has("WHILE_OPEN"));
    table->close();
}

TEST_F(DatabaseTest, RuntimeClassesKnowTheirAncestry)
{
    TestDot dot;
    EXPECT_TRUE(dot.isKindOf(AcDbEntity::desc()));
    EXPECT_TRUE(dot.isKindOf(AcDbObject::desc()));
    EXPECT_FALSE(dot.isKindOf(AcDbSymbolTableRecord::desc()));
    EXPECT_EQ(AcDbEntity::cast(&dot), &dot);
    EXPECT_EQ(AcDbLayerTableRecord::cast(&dot), nullptr);
    EXPECT_EQ(AcDbEntity::cast(nullptr), nullptr);
    EXPECT_STREQ(dot.isA()->name(), "TestDot");
    EXPECT_EQ(TestDot::desc()->myParent(), AcDbEntity::desc());
    EXPECT_EQ(acrxClassDictionary()->at("AcDbEntity"), AcDbEntity::desc());
    EXPECT_TRUE(acrxBuildClassHierarchy());

    AcRxDictionary* registry = acrxSysRegistry();
    AcRxDictionary service;
    EXPECT_EQ(registry->atPut("TEST_SERVICE", &service), nullptr);
    EXPECT_EQ(registry->at("TEST_SERVICE"), &service);
    EXPECT_EQ(registry->remove("TEST_SERVICE"), &service);
    EXPECT_EQ(registry->at("TEST_SERVICE"), nullptr);
}

TEST_F(DatabaseTest, StatusTextsNameTheCodes)
{
    EXPECT_STREQ(acadErrorStatusText(Acad::eOk), "eOk");
    EXPECT_STREQ(acadErrorStatusText(Acad::eNotOpenForWrite), "eNotOpenForWrite");
    EXPECT_STREQ(acadErrorStatusText(static_cast<Acad::ErrorStatus>(45)), "eNotOpenForWrite");
    EXPECT_STREQ(acadErrorStatusText(static_cast<Acad::ErrorStatus>(3)), "eInvalidInput");
    EXPECT_STREQ(acadErrorStatusText(static_cast<Acad::ErrorStatus>(9999)), "eUnknown");
}
