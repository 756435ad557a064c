#include "video/AvLog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "PreviewEncoder.h"
#include "video/H264Decoder.h"

extern "C" {
#include <libavutil/log.h>
}

namespace qv {
namespace {

struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Contents(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

TEST(AvLog, KeepsTheFirstMessageOfEachKindAndCountsTheRest) {
  std::unique_ptr<std::FILE, FileClose> echo(std::tmpfile());
  ASSERT_TRUE(echo);
  AvLog log(echo.get());
  log.Take(AV_LOG_ERROR, "non-existing PPS %u referenced\n",
           "h264: non-existing PPS 0 referenced\n");
  log.Take(AV_LOG_WARNING, "co located POCs unavailable\n", "h264: co located POCs unavailable\n");
  log.Take(AV_LOG_ERROR, "non-existing PPS %u referenced\n",
           "h264: non-existing PPS 1 referenced\n");
  log.Take(AV_LOG_INFO, "stream info %d\n", "h264: stream info 1\n");
  log.Take(AV_LOG_VERBOSE, "detail\n", "detail\n");
  log.Take(AV_LOG_ERROR, "non-existing PPS %u referenced\n",
           "h264: non-existing PPS 0 referenced\n");

  const std::vector<AvLog::Kind> kinds = log.Kinds();
  ASSERT_EQ(kinds.size(), 2u);
  EXPECT_EQ(kinds[0].level, AV_LOG_ERROR);
  EXPECT_EQ(kinds[0].text, "h264: non-existing PPS 0 referenced");
  EXPECT_EQ(kinds[0].count, 3u);
  EXPECT_EQ(kinds[1].level, AV_LOG_WARNING);
  EXPECT_EQ(kinds[1].count, 1u);
  EXPECT_EQ(Contents(echo.get()),
            "libav error: h264: non-existing PPS 0 referenced\n"
            "libav warning: h264: co located POCs unavailable\n");
}

TEST(AvLog, KeepsABoundedNumberOfKindsAndBoundedTexts) {
  AvLog log(nullptr);
  // Formats that differ only beyond the compared prefix are one kind.
  const std::string longFormat(2 * AvLog::kMaxFormatBytes, 'f');
  log.Take(AV_LOG_ERROR, (longFormat + "1").c_str(), "first");
  log.Take(AV_LOG_ERROR, (longFormat + "2").c_str(), "second");
  ASSERT_EQ(log.Kinds().size(), 1u);
  EXPECT_EQ(log.Kinds()[0].count, 2u);

  const std::string longText(3 * AvLog::kMaxTextBytes, 'x');
  for (std::size_t i = 1; i < AvLog::kMaxKinds + 5; ++i) {
    const std::string format = "kind " + std::to_string(i);
    log.Take(AV_LOG_ERROR, format.c_str(), longText.c_str());
  }
  log.Take(AV_LOG_ERROR, "kind 1", "again");  // a kept kind is still counted

  const std::vector<AvLog::Kind> kinds = log.Kinds();
  ASSERT_EQ(kinds.size(), AvLog::kMaxKinds);
  EXPECT_EQ(kinds[1].text, longText.substr(0, AvLog::kMaxTextBytes));
  EXPECT_EQ(kinds[1].count, 2u);
  EXPECT_EQ(log.unkept(), 5u);
}

TEST(AvLog, MessagesFromManyThreadsAreAllCounted) {
  AvLog log(nullptr);
  constexpr int kThreads = 4;
  constexpr int kEach = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&log, t] {
      const char* formats[] = {"first %d", "second %d", "third %d"};
      for (int i = 0; i < kEach; ++i) log.Take(AV_LOG_WARNING, formats[(t + i) % 3], "text");
    });
  }
  for (std::thread& thread : threads) thread.join();
  uint64_t total = 0;
  for (const AvLog::Kind& kind : log.Kinds()) total += kind.count;
  EXPECT_EQ(log.Kinds().size(), 3u);
  EXPECT_EQ(total, static_cast<uint64_t>(kThreads * kEach));
}

// The process log's kinds whose message holds `text`.
std::vector<AvLog::Kind> KindsSaying(const std::string& text) {
  std::vector<AvLog::Kind> kinds = AvLog::Process().Kinds();
  std::erase_if(kinds,
                [&](const AvLog::Kind& kind) { return kind.text.find(text) == std::string::npos; });
  return kinds;
}

bool Kept(const std::string& text) {
  return !KindsSaying(text).empty();
}

// A console that joins a running stream feeds the decoder pictures whose
// parameter sets it never saw: libav's complaints about them are kept, once each.
TEST(AvLog, TheFirstDecoderSendsLibavsLogToTheProcessLog) {
  sim::PreviewEncoder encoder({0, 176, 120, 15, 256});
  std::vector<std::vector<uint8_t>> blocks;
  for (int i = 0; i < 6; ++i) blocks.push_back(encoder.NextBlock());
  const bool echoed = std::getenv("QV_AV_LOG") && *std::getenv("QV_AV_LOG");
  testing::internal::CaptureStderr();
  auto decoder = H264Decoder::Create(PictureDecoder::Attributes::ForFrame(176, 120));
  ASSERT_TRUE(decoder);
  for (std::size_t i = 1; i < blocks.size(); ++i) {
    PictureDecoder::Output out;
    decoder->Frame(blocks[i].data(), blocks[i].size(), 0, out);
  }
  const std::string printed = testing::internal::GetCapturedStderr();
  // Nothing reaches the terminal unless asked for.
  if (!echoed) {
    EXPECT_EQ(printed, "");
  }
  const std::vector<AvLog::Kind> pps = KindsSaying("non-existing PPS");
  ASSERT_EQ(pps.size(), 1u);
  EXPECT_EQ(pps[0].text.rfind("h264: ", 0), 0u) << pps[0].text;
  EXPECT_GE(pps[0].count, blocks.size() - 1);

  av_log(nullptr, AV_LOG_INFO, "an informative line %d\n", 1);
  EXPECT_FALSE(Kept("an informative line"));
  av_log(nullptr, AV_LOG_WARNING, "a warning with %s\n", "words");
  EXPECT_TRUE(Kept("a warning with words"));
  // Silencing libav the usual way silences it here too.
  av_log_set_level(AV_LOG_QUIET);
  av_log(nullptr, AV_LOG_ERROR, "an error while quiet\n");
  av_log_set_level(AV_LOG_INFO);
  EXPECT_FALSE(Kept("an error while quiet"));
}

}  // namespace
}  // namespace qv
