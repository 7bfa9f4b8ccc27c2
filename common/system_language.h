#pragma once

// Chinese when the user or system language is Simplified Chinese, or Windows was
// installed in Simplified Chinese.
bool IsChineseSystem();
