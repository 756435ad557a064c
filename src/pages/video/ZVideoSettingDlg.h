#pragma once
// The video display settings page: the preview encoder's quality as four
// presets (resolution, frame rate and bit rate together), the encoder's
// version, and the upload of a new encoder package to the encoder.

#include <QString>
#include <array>
#include <cstdint>

#include "video/EncoderUpload.h"
#include "widgets/PageContext.h"
#include "widgets/QtScheduler.h"
#include "widgets/ZBaseDialog.h"

class QLabel;
class QLineEdit;
class QProgressBar;

namespace qv {

class CDropButton;
class CSxGroupBox;
class CommandEncoder;
class oRealEdit;

class ZVideoSettingDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 1533;
  static constexpr int kWidth = 560;
  static constexpr int kHeight = 250;
  // The only file the encoder takes as its package.
  static constexpr const char* kPackageName = "VP_venc.tar.gz";

  // `upload` says where and how patiently the package goes; tests shorten it.
  // Destroying the page stops a running upload and waits for its thread.
  explicit ZVideoSettingDlg(const PageContext& context, QWidget* parent = nullptr,
                            EncoderUpload::Options upload = {});

  // The encoder status reply.
  void OnReply(ReplyKind kind, int arg) override;
  // The encoder status record (the model's EncoderStatus).
  void OnEncoderStatus(const std::array<uint8_t, 10>& status);

  // The operator's buttons, callable from tests as from clicks.
  void Browse();
  void Update();
  // A file chosen for upload: the path edit takes it only when it is the
  // encoder's package, else it keeps what it had.
  void ChoosePackage(const QString& path);
  static bool AcceptsPackage(const QString& path);

  // An upload's progress, on the UI thread: EncoderUpload::kFailed or 0..100.
  void ShowProgress(int percent);

  int preset() const { return preset_; }
  const QString& encoderAddress() const { return encoderAddress_; }
  QString packagePath() const;
  bool uploading() const { return upload_.running(); }

  // Sends PageRequest::PreviewSize with a resolution code: the main page's
  // preview follows the encoder's picture size.
  void ApplyLanguage(const LanguageTexts& texts) override;

 private:
  void FillQualityList(const LanguageTexts& texts);
  void ChooseQuality(int preset);
  void ChooseResolution(int code);
  void SendEdits();
  void SendSettings(int frameRate, int code, int bitRate);
  void ShowEncoderSettings(const std::array<uint8_t, 10>& status);

  CommandEncoder& encoder_;
  const LanguageTexts& texts_;
  int preset_;
  QString encoderAddress_;
  CSxGroupBox* displayGroup_ = nullptr;
  CSxGroupBox* updateGroup_ = nullptr;
  CDropButton* quality_ = nullptr;
  CDropButton* resolution_ = nullptr;
  oRealEdit* frameRate_ = nullptr;
  oRealEdit* bitRate_ = nullptr;
  QLabel* version_ = nullptr;
  QLineEdit* path_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  // The upload's reports reach the page through this; those still queued
  // when the page goes are dropped with it.
  QtScheduler toPage_;
  // Last, so that it is destroyed first: its thread is joined while the
  // queue it reports into still exists.
  EncoderUpload upload_;
};

}  // namespace qv
