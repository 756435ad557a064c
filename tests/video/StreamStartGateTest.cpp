#include "video/StreamStartGate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qv {
namespace {

using Block = std::vector<uint8_t>;

// NAL unit headers: nal_ref_idc in bits 5 and 6, the type in bits 0 to 4.
constexpr uint8_t kSps = 0x67;
constexpr uint8_t kPps = 0x68;
constexpr uint8_t kIdr = 0x65;
constexpr uint8_t kSlice = 0x41;  // a non-IDR slice
constexpr uint8_t kSei = 0x06;
constexpr uint8_t kDelimiter = 0x09;

// One NAL unit behind a start code of 3 or 4 bytes, with a little payload
// that holds no zero byte.
Block Unit(uint8_t header, int startCodeBytes = 4) {
  Block unit(static_cast<std::size_t>(startCodeBytes - 1), 0);
  unit.push_back(1);
  unit.push_back(header);
  unit.insert(unit.end(), {0x42, 0xC0, 0x1E, 0x9A});
  return unit;
}

Block Join(std::initializer_list<Block> units) {
  Block block;
  for (const Block& unit : units) block.insert(block.end(), unit.begin(), unit.end());
  return block;
}

Block KeyFrame() {
  return Join({Unit(kSps), Unit(kPps), Unit(kIdr)});
}

struct GateCase {
  const char* name;
  std::vector<Block> blocks;
  std::vector<bool> admitted;  // one per block
  bool started;
};

class StreamStartGateBlocks : public ::testing::TestWithParam<GateCase> {};

TEST_P(StreamStartGateBlocks, LetsTheStreamInFromItsFirstIdrPictureWithParameterSets) {
  const GateCase& c = GetParam();
  ASSERT_EQ(c.blocks.size(), c.admitted.size());
  StreamStartGate gate;
  for (std::size_t i = 0; i < c.blocks.size(); ++i) {
    EXPECT_EQ(gate.Admit(c.blocks[i].data(), c.blocks[i].size()), c.admitted[i]) << "block " << i;
  }
  EXPECT_EQ(gate.started(), c.started);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, StreamStartGateBlocks,
    ::testing::Values(
        GateCase{"FourByteStartCodes", {KeyFrame()}, {true}, true},
        GateCase{"ThreeByteStartCodes",
                 {Join({Unit(kSps, 3), Unit(kPps, 3), Unit(kIdr, 3)})},
                 {true},
                 true},
        GateCase{"MixedStartCodesAfterADelimiterAndSei",
                 {Join({Unit(kDelimiter), Unit(kSps, 3), Unit(kPps), Unit(kSei, 3), Unit(kIdr)})},
                 {true},
                 true},
        GateCase{
            "LongRunOfZerosBeforeTheStartCode", {Join({Block(7, 0), KeyFrame()})}, {true}, true},
        GateCase{"IdrWithoutParameterSets", {Unit(kIdr)}, {false}, false},
        GateCase{"IdrWithoutPictureParameterSet", {Join({Unit(kSps), Unit(kIdr)})}, {false}, false},
        GateCase{"IdrBeforeItsParameterSets",
                 {Join({Unit(kIdr), Unit(kSps), Unit(kPps)})},
                 {false},
                 false},
        GateCase{"NonIdrSlices", {Unit(kSlice), Unit(kSlice, 3)}, {false, false}, false},
        GateCase{"ParameterSetsWithANonIdrSlice",
                 {Join({Unit(kSps), Unit(kPps), Unit(kSlice)})},
                 {false},
                 false},
        // Let through, since the IDR picture may come in a block of its own.
        GateCase{"ParameterSetsAlone", {Join({Unit(kSps), Unit(kPps)})}, {true}, false},
        GateCase{"OneNalUnitPerBlock",
                 {Unit(kDelimiter), Unit(kSps), Unit(kPps), Unit(kIdr), Unit(kSlice)},
                 {false, true, true, true, true},
                 true},
        // Parameter sets that were held back do not count for a later IDR picture.
        GateCase{"ParameterSetsOfAHeldBackBlockAreForgotten",
                 {Join({Unit(kSps), Unit(kPps), Unit(kSlice)}), Unit(kIdr), KeyFrame()},
                 {false, false, true},
                 true},
        GateCase{"EverythingAfterTheStart",
                 {Unit(kSlice), KeyFrame(), Unit(kSlice), Block{0xFF, 0x00}, Block{0x01}},
                 {false, true, true, true, true},
                 true},
        GateCase{"NoBytes", {Block{}}, {false}, false},
        GateCase{"StartCodeWithoutAHeader",
                 {Join({Unit(kSps), Unit(kPps), Block{0, 0, 1}}), Block{0, 0}},
                 {true, false},
                 false},
        GateCase{"HeaderCutOffTheFourByteStartCode", {Block{0, 0, 0, 1}}, {false}, false},
        GateCase{"BytesWithoutStartCodes",
                 {Block{0x65, 0x67, 0x68, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02}},
                 {false},
                 false},
        // Damaged headers: the forbidden bit set, or nal_ref_idc 0 where it may not be.
        GateCase{
            "ForbiddenBitSet", {Join({Unit(kSps | 0x80), Unit(kPps), Unit(kIdr)})}, {false}, false},
        GateCase{"UnreferencedParameterSetsAndIdr",
                 {Join({Unit(kSps & 0x1F), Unit(kPps & 0x1F), Unit(kIdr & 0x1F)})},
                 {false},
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StreamStartGate, ResetWaitsForTheNextStartAndForgetsParameterSets) {
  StreamStartGate gate;
  const Block parameterSets = Join({Unit(kSps), Unit(kPps)});
  const Block idr = Unit(kIdr);
  const Block slice = Unit(kSlice);
  ASSERT_TRUE(gate.Admit(parameterSets.data(), parameterSets.size()));
  ASSERT_TRUE(gate.Admit(idr.data(), idr.size()));
  ASSERT_TRUE(gate.started());

  gate.Reset();
  EXPECT_FALSE(gate.started());
  EXPECT_FALSE(gate.Admit(slice.data(), slice.size()));
  // The decoder starting afresh may have lost what it was told before.
  EXPECT_FALSE(gate.Admit(idr.data(), idr.size()));
  const Block key = KeyFrame();
  EXPECT_TRUE(gate.Admit(key.data(), key.size()));
  EXPECT_TRUE(gate.Admit(slice.data(), slice.size()));
}

}  // namespace
}  // namespace qv
