#pragma once
#include <string>

#include "app/dialog_base.h"
#include "app/hyperlink.h"

// Contact us: the product's name, the copier version and a link to its website.
class CDlgAbout : public CDialogBase {
 public:
  CDlgAbout(HINSTANCE instance, std::wstring version);

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  std::wstring version_;
  CHyperlink link_;
};
