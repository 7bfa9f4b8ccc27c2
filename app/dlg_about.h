#pragma once
#include <string>

#include "app/dialog_base.h"

// Contact us: the product's name, the copier version and a link to its website.
class CDlgAbout : public CDialogBase {
 public:
  CDlgAbout(HINSTANCE instance, std::wstring version);

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

 private:
  std::wstring version_;
};
