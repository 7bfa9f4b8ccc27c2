#include "app/dlg_about.h"

#include <utility>

#include "app/resource.h"
#include "common/file_ctrl.h"
#include "common/product_texts.h"
#include "common/winmsg.h"

CDlgAbout::CDlgAbout(HINSTANCE instance, std::wstring version)
    : CDialogBase(instance, IDD_ABOUT), version_(std::move(version)) {}

bool CDlgAbout::OnInit() {
  SetWindowTextW(Window(), g_lang.GetProductText(product_text::kAboutTitle).c_str());
  SetDlgItemTextW(Window(), IDC_ABOUT_NAME, g_lang.GetProductText(product_text::kDisplayName).c_str());
  const std::wstring version = g_lang.GetProductText(product_text::kVersionLabel) + L" " + version_;
  SetDlgItemTextW(Window(), IDC_ABOUT_VERSION, version.c_str());
  SetDlgItemTextW(Window(), IDC_ABOUT_DESCRIPTION, g_lang.GetProductText(product_text::kDescription).c_str());
  const std::wstring address = g_lang.GetProductText(product_text::kHomeAddress);
  const std::wstring label = g_lang.GetProductText(product_text::kWebsiteLabel) + L":";
  SetDlgItemTextW(Window(), IDC_ABOUT_WEBSITE, label.c_str());
  SetDlgItemTextW(Window(), IDC_ABOUT_LINK, address.c_str());
  link_.Attach(Item(IDC_ABOUT_LINK), address);
  SetDlgItemTextW(Window(), IDOK, g_lang.GetProductText(33).c_str());
  return true;
}

bool CDlgAbout::OnCommand(int id, int /*code*/, HWND /*control*/) {
  if (id != IDOK && id != IDCANCEL) return false;
  End(id);
  return true;
}
