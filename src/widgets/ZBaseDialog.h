#pragma once
// The base of every page: a dark ground, the title band with its close button,
// show/hide, and re-texting from the language file. A page is created once and
// kept for the whole run; the main window shows one page at a time.

#include <QWidget>

class QPushButton;

namespace qv {

class LanguageTexts;

class ZBaseDialog : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBandHeight = 26;
  static constexpr int kCloseSize = 24;
  // For pages that draw no title band (and so have no close button).
  static constexpr int kNoTitle = -1;

  // `templateId` names the page in the language file ("IDD<id>_Title");
  // `titleString` is the UI string drawn in the band, or kNoTitle.
  ZBaseDialog(int templateId, int titleString, QWidget* parent = nullptr);

  void ShowPage(bool visible);

  // Re-texts the page after a language change. The base applies the dialog
  // texts and re-reads the band title; pages that cache UI strings (group
  // captions, list entries) override this, call the base and re-read them.
  virtual void ApplyLanguage(const LanguageTexts& texts);

  // "IDD<templateId>_Title" becomes the window title when not empty; every
  // control below `dialog` that has a control id takes "IDS_<id>" when not
  // empty. Edit controls keep their content, and hidden controls stay hidden.
  static void ApplyDialogTexts(QWidget& dialog, int templateId, const LanguageTexts& texts);

  int templateId() const { return templateId_; }
  bool hasTitleBand() const { return titleString_ != kNoTitle; }
  const QString& title() const { return title_; }
  // Null for a page without a title band.
  QPushButton* closeButton() const { return closeButton_; }

 signals:
  // The operator closed the page with its close button; it is hidden already.
  void closedByUser();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceCloseButton();

  const int templateId_;
  const int titleString_;
  QString title_;
  QPushButton* closeButton_ = nullptr;
};

}  // namespace qv
