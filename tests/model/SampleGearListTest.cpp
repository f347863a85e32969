#include "SampleGearList.h"
#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace varnel {
namespace {

std::string fileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The shipped sample must be what our writer makes of the sample list, and read back the same.
TEST(SampleGearList, ShippedFileIsOurWritersOutputAndRoundTrips) {
    GearDocument doc;
    sample::buildSampleDocument(doc);
    const std::string bytes = serializeGearData(doc);
    const std::string shipped =
        fileBytes(std::filesystem::path(VARNEL_SOURCE_DIR) / "resources/sample/GearData.dat");
    ASSERT_EQ(bytes.size(), shipped.size());
    EXPECT_TRUE(bytes == shipped);

    GearDocument back;
    const auto outcome = parseGearData(
        std::span(reinterpret_cast<const unsigned char*>(shipped.data()), shipped.size()), back);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(back.rowCount(), doc.rowCount());
    EXPECT_GE(back.rowCount(), 38);
    EXPECT_EQ(back.categoryChoices, doc.categoryChoices);
    EXPECT_FLOAT_EQ(back.selectedTotal(), doc.selectedTotal());
}

// A load and save turns each group's member list round (members are written front first and
// each is added at the front when read); a second load and save gives the file back to the byte.
TEST(SampleGearList, TwoLoadsAndSavesGiveBackEveryByte) {
    const auto path = std::filesystem::path(VARNEL_SOURCE_DIR) / "resources/sample/GearData.dat";
    const std::string shipped = fileBytes(path);
    GearDocument doc;
    ASSERT_TRUE(readGearDataFile(path, doc).ok());
    const std::string once = serializeGearData(doc);
    EXPECT_EQ(once.size(), shipped.size());
    EXPECT_FALSE(once == shipped) << "the sample has groups of two or more members";
    GearDocument again;
    ASSERT_TRUE(
        parseGearData(std::span(reinterpret_cast<const unsigned char*>(once.data()), once.size()),
                      again)
            .ok());
    EXPECT_TRUE(serializeGearData(again) == shipped);
}

} // namespace
} // namespace varnel
