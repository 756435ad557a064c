#include <gtest/gtest.h>

#include <cstring>

#include "comm/CommandLength.h"
#include "link/CommandEncoder.h"
#include "support/RecordingLink.h"

namespace qv::comm {
namespace {

// What travels must be all the encoder writes: with every model byte and
// argument set to something other than the fill, a type's payload beyond its
// wire length is pure fill, and its last carried byte is not.
TEST(CommandLength, CoversExactlyTheBytesEachTypeWrites) {
  for (int type = 0; type <= 90; ++type) {
    if (type == 22) continue;  // the record travels whole
    DeviceModel model;
    std::memset(&model.rec, 0x11, sizeof model.rec);
    model.rec.Chnl[0].ChnlInput = 1;  // keep indices inside the tables
    model.rec.LogoCurId = 1;
    model.rec.Gamma = 1.1f;
    model.rec.InputSrc[6] = 0;
    test::RecordingLink link;
    CommandEncoder encoder(model, link);
    std::vector<uint8_t> args(32, 0x01);
    args[0] = 0;  // window, cell, task, op 0
    args[1] = 1;
    if (type == 11) args[31] = 3;
    ASSERT_GE(encoder.EncodeAndSend(type, std::span<const uint8_t>(args)), 0) << type;
    const Payload& p = link.sent.back().payload;
    const std::size_t length = CommandLength(type);
    for (std::size_t i = length; i < p.size(); ++i) {
      ASSERT_EQ(p[i], 0x55) << type << " byte " << i;
    }
    if (length > 0) {
      EXPECT_NE(p[length - 1], 0x55) << type;
    }
  }
}

}  // namespace
}  // namespace qv::comm
