#include "app/PageRegistry.h"

#include <array>

#include "pages/connect/ZConnectDlg.h"
#include "pages/connect/ZSearchMachineDlg.h"
#include "pages/crop/ZCropDlg.h"
#include "pages/feather/ZUL_FeatherDlg.h"
#include "pages/keyer/ZKeyerDlg.h"
#include "pages/edid/ZEdidDlg.h"
#include "pages/main/ZMainDlg.h"
#include "pages/media/ZMediaPlayerDlg.h"
#include "pages/mosaic/ZMosaicDlg.h"
#include "pages/output/ZOutputDlg.h"
#include "pages/picture/ZPicSettingDlg.h"
#include "pages/pip/ZPIPDlg.h"
#include "pages/switcher/ZSwitcherDlg.h"
#include "pages/task/ZTaskDlg.h"
#include "pages/testpattern/ZTstPatternDlg.h"
#include "pages/vga/ZVgaDlg.h"
#include "pages/video/ZVideoSettingDlg.h"

namespace qv {

namespace {

constexpr std::optional<PageRequest> kNoToggle;

template <typename Page>
ZBaseDialog* Make(const PageContext& context, QWidget* parent) {
  return new Page(context, parent);
}

// The main page comes first: the window stacks it under every other page.
constexpr std::array kPages = {
    PageRow{PageId::Main, -1, kNoToggle, PagePlace::Fill, "Outputs", &Make<ZMainDlg>},
    PageRow{PageId::Connection, page_button::kConnection, kNoToggle, PagePlace::Corner,
            nullptr, &Make<ZConnectDlg>},
    PageRow{PageId::Search, -1, PageRequest::SearchPage, PagePlace::BesideConnection, nullptr,
            &Make<ZSearchMachineDlg>},
    PageRow{PageId::Output, page_button::kOutput, kNoToggle, PagePlace::Corner, nullptr,
            &Make<ZOutputDlg>},
    PageRow{PageId::Picture, page_button::kPicture, kNoToggle, PagePlace::Corner, nullptr,
            &Make<ZPicSettingDlg>},
    PageRow{PageId::Crop, page_button::kCrop, kNoToggle, PagePlace::Corner, nullptr,
            &Make<ZCropDlg>},
    PageRow{PageId::VideoSettings, -1, PageRequest::VideoSettingsPage, PagePlace::Corner, nullptr,
            &Make<ZVideoSettingDlg>},
    // The KEYER button shows the switcher and, beside it, the keyers.
    PageRow{PageId::Switcher, page_button::kKeyer, kNoToggle, PagePlace::Corner, nullptr,
            &Make<ZSwitcherDlg>},
    PageRow{PageId::Keyer, page_button::kKeyer, kNoToggle, PagePlace::BesidePrevious, nullptr,
            &Make<ZKeyerDlg>},
    PageRow{PageId::Mosaic, page_button::kMosaic, kNoToggle, PagePlace::Corner, nullptr,
            &Make<ZMosaicDlg>},
    // Beside the mosaic page, whose panels it concerns.
    PageRow{PageId::Feathering, -1, PageRequest::FeatheringPage, PagePlace::BesidePrevious,
            nullptr, &Make<ZUL_FeatherDlg>},
    PageRow{PageId::MediaPlayer, -1, PageRequest::MediaPlayerPage, PagePlace::Corner, nullptr,
            &Make<ZMediaPlayerDlg>},
    PageRow{PageId::Pip, page_button::kPip, kNoToggle, PagePlace::Corner, nullptr,
            &Make<ZPIPDlg>},
    PageRow{PageId::Edid, page_button::kEdid, kNoToggle, PagePlace::Corner, nullptr,
            &Make<ZEdidDlg>},
    PageRow{PageId::Vga, page_button::kVga, kNoToggle, PagePlace::Corner, nullptr, &Make<ZVgaDlg>},
    // Views of the misc area; the window's "TEST PATTERN" and "TIME/TASK"
    // buttons show them too.
    PageRow{PageId::TestPattern, -1, kNoToggle, PagePlace::Corner, "TEST PATTERN",
            &Make<ZTstPatternDlg>, MiscView::TestPattern},
    PageRow{PageId::TimeTask, -1, kNoToggle, PagePlace::Corner, "TIME/TASK", &Make<ZTaskDlg>,
            MiscView::TimeTask},
};

}  // namespace

std::span<const PageRow> PageRegistry() {
  return kPages;
}

}  // namespace qv
