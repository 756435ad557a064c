#pragma once
// Every page of the console, one row each: the window builds, places, shows,
// re-texts and tells every page by walking this table. A new page costs one
// row here and its own files.

#include <QString>
#include <optional>
#include <span>

#include "widgets/PageContext.h"
#include "widgets/PageId.h"
#include "widgets/PageRequest.h"

class QWidget;

namespace qv {

class ZBaseDialog;

// The page buttons down the window's left side, by ShowPage index.
namespace page_button {
inline constexpr int kPicture = 0, kOutput = 1, kMosaic = 2, kKeyer = 3, kPip = 4, kCrop = 5,
                     kLogo = 6, kEdid = 7, kVga = 8, kMisc = 9, kLedConfiguration = 10,
                     kConnection = 11;
}  // namespace page_button

// Where the window puts a page in its middle area, between the page buttons
// and the control column.
enum class PagePlace {
  Fill,              // the whole middle area, under every other page
  Corner,            // its own size at the middle area's top-left corner
  BesideConnection,  // right of the connection page, the middle area's height
  BesidePrevious,    // its own size, right of the page registered before it
};

struct PageRow {
  PageId id;
  // The page button (ZulanDlg::ShowPage index 0..11) that shows it, or -1
  // for a page shown otherwise. Pages of one button are shown together.
  int button;
  // The request that shows and hides it (0 or 1 toggles, 2 or more hides),
  // if any.
  std::optional<PageRequest> toggle;
  PagePlace place;
  // What assistive technology calls it when it has neither a title band nor
  // a page button.
  const char* name;
  ZBaseDialog* (*make)(const PageContext& context, QWidget* parent);
  // The misc-area view (PageRequest::MiscViews) it is, if any.
  std::optional<MiscView> view;
};

std::span<const PageRow> PageRegistry();

}  // namespace qv
