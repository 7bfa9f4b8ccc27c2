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
  f.Put(0, hidden::Text(L"Pandrake Trade Copier"), hidden::Text(L"Pandrake跟单系统"), hidden::Text(L"Pandrake跟單系統"));
  f.Put(1, hidden::Text(L"Pandrake"), hidden::Text(L"Pandrake"), hidden::Text(L"Pandrake"));
  f.Put(2, hidden::Text(L"Velmar"), hidden::Text(L"Velmar"), hidden::Text(L"Velmar"));
  f.Put(3, hidden::Text(L"https://pandrake.velmar.example/help/en"),
        hidden::Text(L"https://pandrake.velmar.example/help/zh-cn"),
        hidden::Text(L"https://pandrake.velmar.example/help/zh-tw"));
  f.Put(4, hidden::Text(L"https://pandrake.velmar.example/"), hidden::Text(L"https://pandrake.velmar.example/"),
        hidden::Text(L"https://pandrake.velmar.example/"));
  f.Put(5, hidden::Text(L"https://pandrake.velmar.example/download/zh-tw"),
        hidden::Text(L"https://pandrake.velmar.example/download/zh-tw"),
        hidden::Text(L"https://pandrake.velmar.example/download/zh-tw"));
  f.Put(6, hidden::Text(L"Copyright (C) Velmar. All rights reserved."), hidden::Text(L"版权所有 (C) Velmar"),
        hidden::Text(L"版權所有 (C) Velmar"));
  f.Put(7, hidden::Text(L"Pandrake Trade Copier Lite"), hidden::Text(L"Pandrake跟单系统(精简版)"),
        hidden::Text(L"Pandrake跟單系統(精簡版)"));
  f.Put(9, hidden::Text(L"About Pandrake"), hidden::Text(L"关于Pandrake"), hidden::Text(L"關於Pandrake"));
  f.Put(10, hidden::Text(L"Version"), hidden::Text(L"版本"), hidden::Text(L"版本"));
  f.Put(11, hidden::Text(L"Website"), hidden::Text(L"网站"), hidden::Text(L"網站"));
  f.Put(14, hidden::Text(L"support@velmar.example"), hidden::Text(L"support@velmar.example"),
        hidden::Text(L"support@velmar.example"));
  f.Put(15, hidden::Text(L"Copies the trades of a signal Provider account to signal Receiver accounts."),
        hidden::Text(L"将喊单账号的交易复制到跟单账号。"), hidden::Text(L"將喊單賬號的交易復制到跟單賬號。"));
  f.Put(16, hidden::Text(L"MT4 Trade Copier"), hidden::Text(L"MT4跟单系统"), hidden::Text(L"MT4跟單系統"));
  f.Put(17, hidden::Text(L"Velmar Software"), hidden::Text(L"Velmar软件"), hidden::Text(L"Velmar軟件"));
  f.Put(18, hidden::Text(L"Installer"), hidden::Text(L"安装程序"), hidden::Text(L"安裝程序"));
  f.Put(19, hidden::Text(L""), hidden::Text(L"跟单"), hidden::Text(L"跟單"));
  f.Put(31, hidden::Text(L"E-mail"), hidden::Text(L"电子邮件"), hidden::Text(L"電子郵件"));
  f.Put(32, hidden::Text(L"Close"), hidden::Text(L"关闭"), hidden::Text(L"關閉"));
  f.Put(33, hidden::Text(L"OK"), hidden::Text(L"确定"), hidden::Text(L"確定"));
  f.Put(34, hidden::Text(L"Open the website"), hidden::Text(L"打开网站"), hidden::Text(L"打開網站"));
  f.Put(36, hidden::Text(L"Trade copier for MetaTrader 4 terminals"), hidden::Text(L"MT4交易终端跟单系统"),
        hidden::Text(L"MT4交易終端跟單系統"));
  f.Put(37, hidden::Text(L"Update log"), hidden::Text(L"更新日志"), hidden::Text(L"更新日誌"));
  f.Put(38, hidden::Text(L"Signal database"), hidden::Text(L"信号数据库"), hidden::Text(L"信號數據庫"));
  f.Put(39, hidden::Text(L"No free name for the copy: every name up to _C999 exists already."),
        hidden::Text(L"无法复制: 从_C01到_C999的目录名都已存在."), hidden::Text(L"無法復制: 從_C01到_C999的目錄名都已存在."));
}
