#pragma once
// The base of every page: a dark ground, the title band with its close button,
// show/hide, and re-texting from the language file. A page is created once and
// kept for the whole run; the main window shows one page at a time.
//
// A page talks to the window only through the signals below, and the window
// tells every page what happened through the On... operations: each page
// refreshes what concerns it and ignores the rest. Pages never name one
// another; they name pages by PageId.

#include <QWidget>

#include "PageId.h"
#include "PageRequest.h"
#include "i18n/UiText.h"
#include "link/ReplyKind.h"

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
  ZBaseDialog(int templateId, UiText title, QWidget* parent = nullptr)
      : ZBaseDialog(templateId, static_cast<int>(title), parent) {}

  void ShowPage(bool visible);

  // Re-texts the page after a language change. The base applies the dialog
  // texts and re-reads the band title; pages that cache UI strings (group
  // captions, list entries) override this, call the base and re-read them.
  virtual void ApplyLanguage(const LanguageTexts& texts);

  // "IDD<templateId>_Title" becomes the window title when not empty; every
  // control below `dialog` that has a control id takes "IDS_<id>" when not
  // empty. Edit controls keep their content, and hidden controls stay hidden.
  static void ApplyDialogTexts(QWidget& dialog, int templateId, const LanguageTexts& texts);

  // A reply of `kind` changed the model; `arg` narrows it (a window, a cell)
  // where the kind says so.
  virtual void OnReply(ReplyKind kind, int arg);
  // A request the window has done its part of; `text` carries an address.
  virtual void OnPageRequest(PageRequest code, int argument, const QString& text);
  // Page `page` was shown or hidden, by the window or by its close button.
  virtual void OnPageShown(PageId page, bool shown);

  // What assistive technology calls a page without a title band of its own
  // (the window gives it its page button's text).
  void SetUntitledName(const QString& name);

  int templateId() const { return templateId_; }
  bool hasTitleBand() const { return titleString_ != kNoTitle; }
  const QString& title() const { return title_; }
  // Null for a page without a title band.
  QPushButton* closeButton() const { return closeButton_; }

 signals:
  // The operator closed the page with its close button; it is hidden already.
  void closedByUser();
  // Work for the window (and through it for other pages).
  void pageRequest(PageRequest code, int argument, const QString& text = QString());
  // The waiting notice with `text`; the reply that ends the wait closes it.
  void waitingNotice(const QString& text);
  // A notice for the operator ("Tips").
  void message(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PlaceCloseButton();
  void UpdateAccessibleName();
  // Tab walks the page's fields as they read: by rows, left to right.
  void OrderTabsByReading();

  const int templateId_;
  const int titleString_;
  QString title_;
  QString untitledName_;
  QPushButton* closeButton_ = nullptr;
};

}  // namespace qv
