#include "common/product.h"

#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"

ProductSettings g_product;

void InitProductSettings() {
  g_product.edition = &ActiveEdition();
  g_lang.Init();
  g_product.displayName = g_lang.GetProductText(product_text::kDisplayName);
  if (g_product.displayName.empty()) ShowMessage(L"SV#g_lang.Init(); is missing.");
}
