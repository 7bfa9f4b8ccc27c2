#include "common/product_texts.h"

#include <cstddef>

#include "common/hidden_text.h"

namespace {

template <std::size_t N>
using Hidden = hidden::Text<N>;

struct Filler {
  std::array<std::wstring, 360>& table;
  template <std::size_t A, std::size_t B, std::size_t C>
  void Put(int id, Hidden<A> en, Hidden<B> zhs, Hidden<C> zht) {
    table[id] = en.Stored();
    table[120 + id] = zhs.Stored();
    table[240 + id] = zht.Stored();
  }
};

}  // namespace

std::wstring DecodeProductText(const std::wstring& stored) { return hidden::Decode(stored); }

void FillProductTexts(std::array<std::wstring, 360>& table) {
  Filler f{table};
  f.Put(0, Hidden(L"Pandrake Trade Copier"), Hidden(L"Pandrake跟单系统"), Hidden(L"Pandrake跟單系統"));
  f.Put(1, Hidden(L"Pandrake"), Hidden(L"Pandrake"), Hidden(L"Pandrake"));
  f.Put(2, Hidden(L"Velmar"), Hidden(L"Velmar"), Hidden(L"Velmar"));
  f.Put(3, Hidden(L"https://pandrake.velmar.example/help/en"),
        Hidden(L"https://pandrake.velmar.example/help/zh-cn"),
        Hidden(L"https://pandrake.velmar.example/help/zh-tw"));
  f.Put(4, Hidden(L"https://pandrake.velmar.example/"), Hidden(L"https://pandrake.velmar.example/"),
        Hidden(L"https://pandrake.velmar.example/"));
  f.Put(5, Hidden(L"https://pandrake.velmar.example/download/zh-tw"),
        Hidden(L"https://pandrake.velmar.example/download/zh-tw"),
        Hidden(L"https://pandrake.velmar.example/download/zh-tw"));
  f.Put(6, Hidden(L"Copyright (C) Velmar. All rights reserved."), Hidden(L"版权所有 (C) Velmar"),
        Hidden(L"版權所有 (C) Velmar"));
  f.Put(7, Hidden(L"Pandrake Trade Copier Lite"), Hidden(L"Pandrake跟单系统(精简版)"),
        Hidden(L"Pandrake跟單系統(精簡版)"));
  f.Put(9, Hidden(L"About Pandrake"), Hidden(L"关于Pandrake"), Hidden(L"關於Pandrake"));
  f.Put(10, Hidden(L"Version"), Hidden(L"版本"), Hidden(L"版本"));
  f.Put(11, Hidden(L"Website"), Hidden(L"网站"), Hidden(L"網站"));
  f.Put(14, Hidden(L"support@velmar.example"), Hidden(L"support@velmar.example"),
        Hidden(L"support@velmar.example"));
  f.Put(15, Hidden(L"Copies the trades of a signal Provider account to signal Receiver accounts."),
        Hidden(L"将喊单账号的交易复制到跟单账号。"), Hidden(L"將喊單賬號的交易復制到跟單賬號。"));
  f.Put(16, Hidden(L"MT4 Trade Copier"), Hidden(L"MT4跟单系统"), Hidden(L"MT4跟單系統"));
  f.Put(17, Hidden(L"Velmar Software"), Hidden(L"Velmar软件"), Hidden(L"Velmar軟件"));
  f.Put(18, Hidden(L"Installer"), Hidden(L"安装程序"), Hidden(L"安裝程序"));
  f.Put(19, Hidden(L""), Hidden(L"跟单"), Hidden(L"跟單"));
  f.Put(31, Hidden(L"E-mail"), Hidden(L"电子邮件"), Hidden(L"電子郵件"));
  f.Put(32, Hidden(L"Close"), Hidden(L"关闭"), Hidden(L"關閉"));
  f.Put(33, Hidden(L"OK"), Hidden(L"确定"), Hidden(L"確定"));
  f.Put(34, Hidden(L"Open the website"), Hidden(L"打开网站"), Hidden(L"打開網站"));
  f.Put(36, Hidden(L"Trade copier for MetaTrader 4 terminals"), Hidden(L"MT4交易终端跟单系统"),
        Hidden(L"MT4交易終端跟單系統"));
  f.Put(37, Hidden(L"Update log"), Hidden(L"更新日志"), Hidden(L"更新日誌"));
  f.Put(38, Hidden(L"Signal database"), Hidden(L"信号数据库"), Hidden(L"信號數據庫"));
  f.Put(39, Hidden(L"No free name for the copy: every name up to _C999 exists already."),
        Hidden(L"无法复制: 从_C01到_C999的目录名都已存在."), Hidden(L"無法復制: 從_C01到_C999的目錄名都已存在."));
}
