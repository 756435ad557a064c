#include "app/PageRegistry.h"

#include <array>

#include "pages/connect/ZConnectDlg.h"
#include "pages/connect/ZSearchMachineDlg.h"
#include "pages/main/ZMainDlg.h"
#include "pages/output/ZOutputDlg.h"
#include "pages/picture/ZPicSettingDlg.h"
#include "pages/pip/ZPIPDlg.h"
#include "pages/switcher/ZSwitcherDlg.h"
#include "pages/video/ZVideoSettingDlg.h"

namespace qv {

namespace {

template <typename Page>
ZBaseDialog* Make(const PageContext& context, QWidget* parent) {
  return new Page(context, parent);
}

// The main page comes first: the window stacks it under every other page.
constexpr std::array kPages = {
    PageRow{PageId::Main, -1, PageRequest::None, PagePlace::Fill, "Outputs", &Make<ZMainDlg>},
    PageRow{PageId::Connection, page_button::kConnection, PageRequest::None, PagePlace::Corner,
            nullptr, &Make<ZConnectDlg>},
    PageRow{PageId::Search, -1, PageRequest::SearchPage, PagePlace::BesideConnection, nullptr,
            &Make<ZSearchMachineDlg>},
    PageRow{PageId::Output, page_button::kOutput, PageRequest::None, PagePlace::Corner, nullptr,
            &Make<ZOutputDlg>},
    PageRow{PageId::Picture, page_button::kPicture, PageRequest::None, PagePlace::Corner, nullptr,
            &Make<ZPicSettingDlg>},
    PageRow{PageId::VideoSettings, -1, PageRequest::VideoSettingsPage, PagePlace::Corner, nullptr,
            &Make<ZVideoSettingDlg>},
    // The KEYER button shows the switcher alone until the keyer page joins it.
    PageRow{PageId::Switcher, page_button::kKeyer, PageRequest::None, PagePlace::Corner, nullptr,
            &Make<ZSwitcherDlg>},
    PageRow{PageId::Pip, page_button::kPip, PageRequest::None, PagePlace::Corner, nullptr,
            &Make<ZPIPDlg>},
};

}  // namespace

std::span<const PageRow> PageRegistry() {
  return kPages;
}

}  // namespace qv
