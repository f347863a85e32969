#include "TestRecords.h"
#include "model/CMMIList.h"
#include "model/RecordLayout.h"
#include "model/WeightOrderedArray.h"
#include "model/WeightText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace varnel {
namespace {

std::unique_ptr<std::string> text(std::string_view t) {
    return std::make_unique<std::string>(t);
}

std::vector<std::string> frontToBack(CMMIList<std::string>& list) {
    std::vector<std::string> out;
    for (auto* e = list.first(); e; e = list.next()) {
        out.push_back(*e);
    }
    return out;
}

TEST(CMMIList, AddPutsAtFrontAndAtCountsFromTheOldest) {
    CMMIList<std::string> list;
    for (auto t : {"a", "b", "c", "d"}) {
        ASSERT_TRUE(list.add(text(t)));
    }
    EXPECT_FALSE(list.add(nullptr));
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(*list.at(1), "a");
    EXPECT_EQ(*list.at(2), "b");
    EXPECT_EQ(*list.at(3), "c");
    EXPECT_EQ(*list.at(4), "d");
    EXPECT_EQ(list.at(0), nullptr);
    EXPECT_EQ(list.at(5), nullptr);
    EXPECT_EQ(frontToBack(list), (std::vector<std::string>{"d", "c", "b", "a"}));

    std::vector<std::string> reverse;
    for (auto* e = list.last(); e; e = list.prev()) {
        reverse.push_back(*e);
    }
    EXPECT_EQ(reverse, (std::vector<std::string>{"a", "b", "c", "d"}));

    std::string seen;
    list.forEach([&](const std::string& s) { seen += s; });
    list.forEachReverse([&](const std::string& s) { seen += s; });
    EXPECT_EQ(seen, "dcbaabcd");
}

TEST(CMMIList, DetachAtEveryPositionKeepsTheListConsistent) {
    CMMIList<std::string> list;
    for (auto t : {"a", "b", "c"}) {
        list.add(text(t));
    }
    auto front = list.detach("c");
    ASSERT_TRUE(front);
    EXPECT_EQ(*front, "c");
    auto middle = list.detach("a"); // now the back
    ASSERT_TRUE(middle);
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(frontToBack(list), std::vector<std::string>{"b"});
    auto only = list.detach("b");
    ASSERT_TRUE(only);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.first(), nullptr);
    EXPECT_EQ(list.detach("b"), nullptr);

    for (auto t : {"x", "y", "z"}) {
        list.add(text(t));
    }
    ASSERT_TRUE(list.detach("y"));
    EXPECT_EQ(frontToBack(list), (std::vector<std::string>{"z", "x"}));
    EXPECT_EQ(*list.at(1), "x");
    EXPECT_EQ(*list.at(2), "z");
}

TEST(CMMIList, FindRemoveReplaceTakeTheFirstEqualFromTheFront) {
    CMMIList<std::string> list;
    for (auto t : {"a", "dup", "b", "dup"}) {
        list.add(text(t));
    }
    EXPECT_EQ(list.find("dup"), list.at(4));
    EXPECT_TRUE(list.replace("dup", text("new")));
    EXPECT_EQ(*list.at(4), "new");
    EXPECT_EQ(*list.at(2), "dup");
    EXPECT_TRUE(list.remove("dup"));
    EXPECT_FALSE(list.remove("dup"));
    EXPECT_EQ(frontToBack(list), (std::vector<std::string>{"new", "b", "a"}));
    list.clear();
    EXPECT_EQ(list.count(), 0);
}

TEST(GearRecord, NewRecordIsEmptyWithMultiplierOne) {
    sPubInfo r;
    EXPECT_EQ(fieldText(r.multiplier), "1");
    EXPECT_EQ(fieldText(r.item), "");
    EXPECT_EQ(r.selected, 0);
    EXPECT_FALSE(r.members);
    EXPECT_FALSE(r.columnTexts);
}

TEST(GearRecord, EqualityIgnoresMultiplierLabelsAndFlagsButNotSelection) {
    auto a = test::item("Shelter", "Tent", "40.00");
    auto b = test::item("Shelter", "Tent", "40.00");
    setField(b->multiplier, "2");
    setField(b->collapsedLabel, "+ x");
    b->expanded = 1;
    b->inGroup = 1;
    EXPECT_TRUE(*a == *b);
    b->selected = 1;
    EXPECT_FALSE(*a == *b);
    auto c = test::item("Shelter", "tent", "40.00");
    EXPECT_FALSE(*a == *c) << "strings compare case-sensitively";
    auto d = test::item("Shelter", "Tent", "40.00");
    d->group = a.get();
    EXPECT_FALSE(*a == *d);
}

TEST(GearRecord, LineAndGroupWeights) {
    sPubInfo r;
    setField(r.unitWeight, "2.5");
    setField(r.multiplier, "3");
    r.updateLineWeight();
    EXPECT_EQ(fieldText(r.weight), "7.50");
    setField(r.unitWeight, "abc");
    r.updateLineWeight();
    EXPECT_EQ(fieldText(r.weight), "0.00");

    auto g = test::group("Kitchen", "Cook kit", {"3.25", "10", "x"});
    EXPECT_EQ(fieldText(g->groupWeight), "13.25");
    EXPECT_EQ(g->shownWeight(), "13.25");
}

TEST(GearRecord, CloneCopiesTextsAndMembersDeeply) {
    auto g = test::group("Kitchen", "Cook kit", {"1", "2"});
    test::addTexts(*g, {"one", "two"});
    auto copy = g->clone();
    ASSERT_TRUE(copy->members);
    EXPECT_EQ(copy->members->count(), 2);
    EXPECT_EQ(copy->members->first()->group, copy.get());
    EXPECT_NE(copy->members->at(1), g->members->at(1));
    EXPECT_EQ(fieldText(copy->members->at(1)->weight), "1");
    EXPECT_EQ(copy->columnText(1), "one");
    EXPECT_EQ(copy->columnText(2), "two");
    EXPECT_EQ(copy->columnText(3), "");
}

TEST(WeightOrderedArray, EqualWeightsKeepInsertionOrder) {
    auto a = test::item("c", "a", "2.50");
    auto b = test::item("c", "b", "10");
    auto c = test::item("c", "c", "2.5");
    WeightOrderedArray array;
    array.insert(a.get());
    array.insert(b.get());
    array.insert(c.get());
    ASSERT_EQ(array.size(), 3U);
    EXPECT_EQ(array[0], a.get());
    EXPECT_EQ(array[1], c.get());
    EXPECT_EQ(array[2], b.get());
    EXPECT_EQ(array.find(*c), 1);
    EXPECT_EQ(array.findLinear(*b), 2);
    array.removeAt(1);
    EXPECT_EQ(array.find(*c), -1);
    EXPECT_EQ(array.size(), 2U);
}

TEST(WeightText, ParsesLikeTheCLibraryWithoutLocale) {
    EXPECT_DOUBLE_EQ(weightValue("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(weightValue("  3.25oz"), 3.25);
    EXPECT_DOUBLE_EQ(weightValue("-2"), -2.0);
    EXPECT_DOUBLE_EQ(weightValue("+4."), 4.0);
    EXPECT_DOUBLE_EQ(weightValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(weightValue("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(weightValue("12,5"), 12.0);
    EXPECT_DOUBLE_EQ(weightValue(""), 0.0);
    EXPECT_DOUBLE_EQ(weightValue("abc"), 0.0);
    EXPECT_DOUBLE_EQ(weightValue("+-3"), 0.0);
    EXPECT_DOUBLE_EQ(weightValue("1e-999"), 0.0);
    EXPECT_EQ(formatWeight(2.345), "2.35");
    EXPECT_EQ(formatWeight(0.125), "0.12") << "ties round as printf does";
    EXPECT_EQ(formatWeight(-0.5), "-0.50");
    EXPECT_EQ(formatFixed(1.5, 7), "   1.50");
    EXPECT_EQ(formatFixed(1500, 6), "1500.00");
    EXPECT_EQ(padRight("ab", 4), "ab  ");
}

TEST(RecordLayout, HandheldCategoryKeepsSixteenCharacters) {
    sCategory60 c("Sleeping System!", 130);
    EXPECT_EQ(c.nameText(), "Sleeping System!");
    unsigned char bytes[sCategory60::kSize];
    encodeCategory60(c, bytes);
    EXPECT_EQ(bytes[16], 0);
    const sCategory60 back = decodeCategory60(bytes);
    EXPECT_EQ(back.nameText(), "Sleeping System!");
    EXPECT_EQ(back.id, 130);
    EXPECT_EQ(sCategory60("Seventeen chars!!").nameText(), "Seventeen chars!");
    EXPECT_TRUE(isUnfiled("UNFILED"));
}

TEST(RecordLayout, HandheldConversionCutsLongCategoryAndNormalisesSelection) {
    auto r = test::item("Twenty char categor", "Stove", "3.00");
    setField(r->multiplier, "2");
    r->recordId = 77;
    const sPubInfo60 h = toHandheld(*r);
    EXPECT_EQ(fieldText(h.category), "Twenty char categ");
    unsigned char bytes[sPubInfo60::kSize];
    encodePubInfo60(h, bytes);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes + 70), 1), "2")
        << "multiplier before weight";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes + 76), 4), "3.00");
    sPubInfo60 back = decodePubInfo60(bytes);
    back.selected = 9;
    sPubInfo r2;
    fromHandheld(back, r2);
    EXPECT_EQ(r2.selected, 1);
    EXPECT_EQ(r2.recordId, 77);
    EXPECT_EQ(fieldText(r2.item), "Stove");
}

TEST(RecordLayout, OldRecordGivesBothWeightsAndUnterminatedFieldsAreCut) {
    unsigned char bytes[kOldRecordSize];
    std::memset(bytes, 'x', sizeof bytes);
    std::memcpy(bytes + 62, "4.5\0", 4);
    bytes[123] = 1;
    auto r = decodeOldRecord(bytes);
    EXPECT_EQ(fieldText(r->category).size(), 20U);
    EXPECT_EQ(fieldText(r->weight), "4.5");
    EXPECT_EQ(fieldText(r->unitWeight), "4.5");
    EXPECT_EQ(fieldText(r->multiplier), "1");
    EXPECT_EQ(r->selected, 1);
}

} // namespace
} // namespace varnel
