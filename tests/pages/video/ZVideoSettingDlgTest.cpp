#include "pages/video/ZVideoSettingDlg.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTcpServer>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "link/CommandEncoder.h"
#include "support/FileBytes.h"
#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"
#include "widgets/CDropButton.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using Status = std::array<uint8_t, 10>;
using Request = std::pair<PageRequest, int>;

constexpr int kQualityList = 65398;
constexpr int kResolutionList = 65397;
constexpr uint8_t kFill = 0x55;

bool ProcessUntil(const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return done();
}

class ZVideoSettingDlgTest : public ::testing::Test {
 protected:
  explicit ZVideoSettingDlgTest(EncoderUpload::Options upload = {}) { Build(upload); }

  void Build(EncoderUpload::Options upload) {
    page = std::make_unique<ZVideoSettingDlg>(harness.context, nullptr, upload);
    QObject::connect(
        page.get(), &ZVideoSettingDlg::pageRequest,
        [this](PageRequest code, int argument) { requests.emplace_back(code, argument); });
  }

  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  CDropButton& Quality() { return Find<CDropButton>(kQualityList); }
  CDropButton& Resolution() { return Find<CDropButton>(kResolutionList); }
  oRealEdit& FrameRate() { return Find<oRealEdit>(1565); }
  oRealEdit& BitRate() { return Find<oRealEdit>(1566); }
  QString StatusText() { return Find<QLabel>(1570).text(); }
  int Bar() { return page->findChild<QProgressBar*>()->value(); }
  // As the operator picking the entry from the opened list.
  static void Choose(CDropButton& list, int index) { test::Choose(list, index); }

  std::vector<uint8_t> SentSettings() {
    EXPECT_EQ(link.sent.size(), 1u);
    if (link.sent.empty()) return {};
    EXPECT_EQ(link.sent.back().type, static_cast<int>(CommandType::VideoEncoderSettings));
    const Payload& p = link.sent.back().payload;
    EXPECT_TRUE(std::all_of(p.begin() + 9, p.end(), [](uint8_t b) { return b == kFill; }));
    return {p.begin(), p.begin() + 9};
  }

  test::PageHarness harness;
  const test::TempDir& dir = harness.dir;
  DeviceModel& model = harness.model;
  test::RecordingLink& link = harness.link;
  UiStrings& strings = harness.strings;
  std::vector<Request> requests;
  std::unique_ptr<ZVideoSettingDlg> page;
};

TEST_F(ZVideoSettingDlgTest, APresetSendsItsSettingsTwiceAndResizesThePreview) {
  struct Case {
    int preset;
    const char* name;
    std::vector<uint8_t> settings;  // frame rate, code, bit rate high byte first
  };
  const Case cases[] = {
      {0, "Fluency", {15, 21, 0x04, 0x00}},
      {1, "Standard Definition", {15, 7, 0x0C, 0x00}},
      {2, "High Definition", {7, 16, 0x18, 0x00}},
      {3, "Ultra Clear", {7, 17, 0x20, 0x00}},
  };
  for (const Case& c : cases) {
    link.sent.clear();
    requests.clear();
    Choose(Quality(), c.preset);
    std::vector<uint8_t> expected = {0};
    expected.insert(expected.end(), c.settings.begin(), c.settings.end());
    expected.insert(expected.end(), c.settings.begin(), c.settings.end());
    EXPECT_EQ(SentSettings(), expected) << c.name;
    EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::PreviewSize, c.settings[1]}}))
        << c.name;
    EXPECT_EQ(page->preset(), c.preset) << c.name;
    EXPECT_EQ(Quality().selectedText(), c.name);
  }
}

TEST_F(ZVideoSettingDlgTest, TheHiddenDetailsSendWhatTheyHold) {
  FrameRate().SetValue(25);
  BitRate().SetValue(0x1234);
  Choose(Resolution(), 5);  // 1280*720
  EXPECT_EQ(SentSettings(), (std::vector<uint8_t>{0, 25, 16, 0x12, 0x34, 25, 16, 0x12, 0x34}));
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::PreviewSize, 16}}));

  link.sent.clear();
  requests.clear();
  FrameRate().setText("30");
  FrameRate().Commit(true);
  // An edit goes with the listed resolution and leaves the second set empty.
  EXPECT_EQ(SentSettings(), (std::vector<uint8_t>{0, 30, 16, 0x12, 0x34, 255, 255, 255, 255}));
  EXPECT_TRUE(requests.empty());
}

TEST_F(ZVideoSettingDlgTest, EncoderSettingsFromTheStatusShowAsThePreset) {
  struct Case {
    const char* name;
    Status status;
    int preset;
    const char* resolution;
    double frameRate, bitRate;
    std::vector<Request> requests;
  };
  const Case cases[] = {
      {"another preset: the preview follows",
       {2, 0, 7, 16, 0x18, 0x00},
       2,
       "1280*720",
       7,
       6144,
       {{PageRequest::PreviewSize, 16}}},
      {"the preset shown already: the preview stays",
       {2, 0, 8, 17, 0x1F, 0x01},
       3,
       "1920*1080",
       8,
       0x1F01,
       {}},
      {"a size no preset has changes nothing",
       {2, 0, 30, 1, 0x04, 0x00},
       3,
       "1920*1080",
       15,
       6144,
       {}},
  };
  for (const Case& c : cases) {
    Build({});
    requests.clear();
    page->OnEncoderStatus(c.status);
    EXPECT_EQ(page->preset(), c.preset) << c.name;
    EXPECT_EQ(Quality().selectedIndex(), c.preset) << c.name;
    EXPECT_EQ(Resolution().selectedText(), c.resolution) << c.name;
    EXPECT_EQ(FrameRate().value(), c.frameRate) << c.name;
    EXPECT_EQ(BitRate().value(), c.bitRate) << c.name;
    EXPECT_EQ(requests, c.requests) << c.name;
  }
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(ZVideoSettingDlgTest, TheStatusGivesTheEncodersAddressAndVersion) {
  page->OnEncoderStatus({0, 9, 9, 9, 9, 192, 168, 1, 30});
  EXPECT_EQ(page->encoderAddress(), "192.168.1.30");
  page->OnEncoderStatus({1, 0xAB, 0x0C});
  EXPECT_EQ(Find<QLabel>(1571).text(), "Version:ab0c");
  EXPECT_EQ(page->encoderAddress(), "192.168.1.30");
}

TEST_F(ZVideoSettingDlgTest, OnlyTheEncodersPackageIsTakenForUpload) {
  struct Case {
    const char* path;
    bool accepted;
  };
  const Case cases[] = {
      {"/home/op/VP_venc.tar.gz", true},      {"VP_venc.tar.gz", true},
      {"/home/op/vp_venc.tar.gz", false},     {"/home/op/VP_venc.tar.gz.part", false},
      {"/home/op/old_VP_venc.tar.gz", false}, {"/home/op/VP_venc.tar", false},
      {"/home/op/VP_venc.tar.gz/", false},    {"", false},  // the file dialog was cancelled
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZVideoSettingDlg::AcceptsPackage(c.path), c.accepted) << c.path;
  }

  page->ChoosePackage("/media/usb/VP_venc.tar.gz");
  page->ChoosePackage("/media/usb/readme.txt");
  page->ChoosePackage("");
  EXPECT_EQ(page->packagePath(), "/media/usb/VP_venc.tar.gz");
}

TEST_F(ZVideoSettingDlgTest, ProgressShowsInTensThenTheVerdict) {
  strings.Set(142, "failed (localised)");
  struct Step {
    int percent;
    const char* status;
    int bar;
  };
  const Step steps[] = {
      {0, "0%", 0},
      {7, "0%", 7},
      {10, "10%", 10},
      {99, "10%", 99},
      {100, "Success, Pls Restart the Machine", 100},
      {EncoderUpload::kFailed, "failed (localised)", 100},
  };
  for (const Step& s : steps) {
    page->ShowProgress(s.percent);
    EXPECT_EQ(StatusText(), s.status) << s.percent;
    EXPECT_EQ(Bar(), s.bar) << s.percent;
  }
}

TEST_F(ZVideoSettingDlgTest, AnUploadWithoutTheEncodersAddressFails) {
  test::WriteBytes(dir.path() / "VP_venc.tar.gz", "package");
  page->ChoosePackage((dir.path() / "VP_venc.tar.gz").c_str());
  page->Update();
  EXPECT_TRUE(ProcessUntil([&] { return StatusText() == "Update Failure"; }));
}

// An encoder that takes the connection and the package into its socket
// buffers and then never answers: the upload stays in its pause.
class ZVideoSettingDlgUploadTest : public ZVideoSettingDlgTest {
 protected:
  static EncoderUpload::Options Stalling(uint16_t port) {
    EncoderUpload::Options o;
    o.port = port;
    o.startPause = 1ms;
    o.endPause = 1h;
    return o;
  }
  ZVideoSettingDlgUploadTest() : ZVideoSettingDlgTest() {
    encoderSide.listen(QHostAddress::LocalHost);
    Build(Stalling(encoderSide.serverPort()));
    page->OnEncoderStatus({0, 0, 0, 0, 0, 127, 0, 0, 1});
    test::WriteBytes(dir.path() / "VP_venc.tar.gz", std::string(5000, 'p'));
    page->ChoosePackage((dir.path() / "VP_venc.tar.gz").c_str());
  }
  QTcpServer encoderSide;
};

TEST_F(ZVideoSettingDlgUploadTest, APressDuringAnUploadChangesNothingAndClosingThePageStopsIt) {
  page->Update();
  ASSERT_TRUE(ProcessUntil([&] { return Bar() == 99; }));
  EXPECT_EQ(StatusText(), "80%");  // 5000 bytes report 39, 80 and 99
  EXPECT_TRUE(page->uploading());

  page->Update();
  QCoreApplication::processEvents();
  EXPECT_EQ(Bar(), 99);
  EXPECT_EQ(StatusText(), "80%");

  // Without the stop this would wait out the hour-long pause.
  page.reset();
}

TEST(ZVideoSettingDlgLanguageTest, TheShippedChineseFileRetextsThePage) {
  test::PageHarness harness(std::filesystem::path(QV_SOURCE_DIR) / "lang");
  ZVideoSettingDlg page(harness.context);
  page.OnEncoderStatus({2, 0, 7, 16, 0x18, 0x00});

  ASSERT_EQ(harness.files.SelectLanguage("Chinese"), "");
  harness.files.ReloadUiStrings(harness.strings);
  page.ApplyLanguage(harness.texts);

  EXPECT_EQ(page.title(), "视频显示设置");
  for (CDropButton* list : page.findChildren<CDropButton*>()) {
    if (ControlId(*list) != kQualityList) continue;
    std::vector<QString> entries;
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->entry(i).text);
    EXPECT_EQ(entries, (std::vector<QString>{"流畅", "标清", "高清", "超清"}));
    EXPECT_EQ(list->selectedText(), "高清");
  }
  std::map<int, QString> labels;
  for (QLabel* label : page.findChildren<QLabel*>()) labels[ControlId(*label)] = label->text();
  EXPECT_EQ(labels[1590], "画质:");
  EXPECT_EQ(labels[1594], "码率:");
  EXPECT_EQ(labels[1571], "");  // the version is the encoder's, not the language's
}

}  // namespace
}  // namespace qv
