#include "app/dlg_about.h"

#include <commctrl.h>

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
  const std::wstring link = g_lang.GetProductText(product_text::kWebsiteLabel) + L": <a>" + address + L"</a>";
  SetDlgItemTextW(Window(), IDC_ABOUT_LINK, link.c_str());
  SetDlgItemTextW(Window(), IDOK, g_lang.GetProductText(33).c_str());
  return true;
}

bool CDlgAbout::OnCommand(int id, int /*code*/, HWND /*control*/) {
  if (id != IDOK && id != IDCANCEL) return false;
  End(id);
  return true;
}

bool CDlgAbout::OnNotify(const NMHDR& header, LRESULT& /*result*/) {
  if (header.idFrom != IDC_ABOUT_LINK || (header.code != NM_CLICK && header.code != NM_RETURN)) return false;
  g_files.OpenInBrowser(g_lang.GetProductText(product_text::kHomeAddress));
  return true;
}
