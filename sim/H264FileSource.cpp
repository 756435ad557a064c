#include "H264FileSource.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "FfmpegHandles.h"

namespace qv::sim {

namespace {

// True when the unit holds a coded slice (NAL unit types 1 to 5).
bool HoldsPicture(const std::vector<uint8_t>& unit) {
  for (std::size_t i = 0; i + 3 < unit.size(); ++i) {
    if (unit[i] == 0 && unit[i + 1] == 0 && unit[i + 2] == 1) {
      const int type = unit[i + 3] & 0x1F;
      if (type >= 1 && type <= 5) return true;
    }
  }
  return false;
}

}  // namespace

H264FileSource::H264FileSource(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t length = data.size();
  // The parser may read a little past the end of what it is given.
  data.resize(length + AV_INPUT_BUFFER_PADDING_SIZE, 0);

  const AVCodec* decoder = avcodec_find_decoder(AV_CODEC_ID_H264);
  CodecContextPtr codec(decoder ? avcodec_alloc_context3(decoder) : nullptr);
  ParserPtr parser(av_parser_init(AV_CODEC_ID_H264));
  if (!codec || !parser) throw std::runtime_error("the H.264 parser is not available");

  constexpr std::size_t kChunk = 1 << 20;
  // The parser cuts the stream at picture boundaries, keeping the parameter
  // sets with the picture they precede.
  std::size_t pos = 0;
  bool flushed = false;
  while (!flushed) {
    const bool atEnd = pos >= length;
    uint8_t* unit = nullptr;
    int unitSize = 0;
    const int used = av_parser_parse2(parser.get(), codec.get(), &unit, &unitSize,
                                      atEnd ? nullptr : data.data() + pos,
                                      atEnd ? 0 : static_cast<int>(std::min(length - pos, kChunk)),
                                      AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
    if (used < 0) throw std::runtime_error("unreadable H.264 stream in " + path.string());
    pos += static_cast<std::size_t>(used);
    if (unitSize > 0) {
      std::vector<uint8_t> bytes(unit, unit + unitSize);
      // Bytes around the pictures (garbage, a trailing parameter set) are no block of their own.
      if (HoldsPicture(bytes)) units_.push_back(std::move(bytes));
    }
    flushed = atEnd;
  }
  if (units_.empty()) throw std::runtime_error("no H.264 picture in " + path.string());
}

std::vector<uint8_t> H264FileSource::NextBlock() {
  std::vector<uint8_t> unit = units_[next_];
  next_ = (next_ + 1) % units_.size();
  return unit;
}

}  // namespace qv::sim
