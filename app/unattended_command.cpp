#include "app/unattended_command.h"

#include <cstdio>

#include "common/path_text.h"

namespace {

struct Switch {
  std::wstring name;
  std::wstring value;
  bool hasValue = false;
};

Switch SwitchOf(const std::wstring& token) {
  const std::size_t equals = token.find(L'=');
  Switch result{ToLower(token.substr(1, equals == std::wstring::npos ? std::wstring::npos : equals - 1))};
  if (equals != std::wstring::npos) {
    result.value = token.substr(equals + 1);
    result.hasValue = true;
  }
  return result;
}

bool SetVerb(UnattendedCommand& command, bool& verbSeen, UnattendedCommand::Verb verb) {
  if (verbSeen) return false;
  verbSeen = true;
  command.verb = verb;
  return true;
}

// Applies one switch; false when it is not known or its value is not.
bool Apply(const Switch& s, UnattendedCommand& command, bool& verbSeen) {
  using Verb = UnattendedCommand::Verb;
  if (s.name == L"?" || s.name == L"help") return SetVerb(command, verbSeen, Verb::kHelp);
  if (s.name == L"list") return !s.hasValue && SetVerb(command, verbSeen, Verb::kList);
  if (s.name == L"uninstall") return !s.hasValue && SetVerb(command, verbSeen, Verb::kUninstall);
  if (s.name == L"update") return !s.hasValue && SetVerb(command, verbSeen, Verb::kUpdate);
  if (s.name == L"check") return !s.hasValue && SetVerb(command, verbSeen, Verb::kCheck);
  if (s.name == L"restore") return !s.hasValue && SetVerb(command, verbSeen, Verb::kRestore);
  if (s.name == L"install") {
    command.role = ToLower(s.value);
    return (command.role == L"provider" || command.role == L"receiver") && SetVerb(command, verbSeen, Verb::kInstall);
  }
  if (s.name == L"close") return !s.hasValue && (command.close = true);
  if (s.name == L"quiet") return !s.hasValue && (command.quiet = true);
  if (s.name == L"terminals") return !(command.terminals = s.value).empty();
  if (s.name == L"log") return !(command.log = s.value).empty();
  if (s.name == L"result") return !(command.result = s.value).empty();
  if (s.name == L"lang") {
    command.lang = ToLower(s.value);
    return command.lang == L"en" || command.lang == L"zh" || command.lang == L"tw";
  }
  return false;
}

}  // namespace

std::vector<std::wstring> SplitArguments(std::wstring_view arguments) {
  std::vector<std::wstring> tokens;
  std::wstring token;
  bool quoted = false, inToken = false;
  for (const wchar_t c : arguments) {
    if (c == L'"') {
      quoted = !quoted;
      inToken = true;
    } else if ((c == L' ' || c == L'\t') && !quoted) {
      if (inToken) tokens.push_back(std::move(token));
      token.clear();
      inToken = false;
    } else {
      token += c;
      inToken = true;
    }
  }
  if (inToken) tokens.push_back(std::move(token));
  return tokens;
}

std::optional<UnattendedCommand> ParseUnattendedCommand(std::wstring_view arguments) {
  const std::vector<std::wstring> tokens = SplitArguments(arguments);
  bool anySwitch = false;
  for (const std::wstring& token : tokens) anySwitch = anySwitch || token.starts_with(L'/');
  if (!anySwitch) return std::nullopt;
  UnattendedCommand command;
  bool verbSeen = false;
  for (const std::wstring& token : tokens) {
    if (!token.starts_with(L'/') || !Apply(SwitchOf(token), command, verbSeen)) {
      command.error = L"Not known: " + token;
      return command;
    }
  }
  using Verb = UnattendedCommand::Verb;
  const bool needsTerminals =
      command.verb == Verb::kInstall || command.verb == Verb::kUninstall || command.verb == Verb::kRestore;
  if (!verbSeen) command.error = L"Say what to do: /list, /install, /uninstall, /update, /check, /restore or /help.";
  if (verbSeen && needsTerminals && command.terminals.empty()) command.error = L"/terminals= is missing.";
  return command;
}

std::vector<std::wstring> TerminalFoldersOf(const std::wstring& value) {
  const std::wstring lower = ToLower(value);
  if (lower == L"all" || lower == L"installed") return {};
  return SplitAt(value, L';');
}

std::wstring UnattendedUsage() {
  return L"Pandrake.exe /list | /install=provider|receiver /terminals=<folders> | /uninstall /terminals=<folders> | "
         L"/update | /check [/terminals=<folders>] | /restore /terminals=<folders>\n"
         L"  [/close] [/quiet] [/log=\"<file>\"] [/result=\"<file>\"] [/lang=en|zh|tw]\n"
         L"  <folders>: install folders separated by ;, or all, or installed.\n"
         L"  /close lets a running terminal be closed and started again; without it a running terminal fails.\n"
         L"  /restore puts each terminal back as it was before its last recorded run.\n"
         L"/check reads whether each terminal's copier runs; its default is the installed terminals.\n"
         L"Exit codes: 0 done (with /check: every checked copier runs), 1603 a terminal failed, 1602 stopped, 1618 another Pandrake runs, "
         L"1620 no usable package, 87 a switch, value or folder is not known.\n";
}

std::wstring JsonString(std::wstring_view text) {
  std::wstring json = L"\"";
  for (const wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      json += L'\\';
      json += c;
    } else if (c == L'\n') {
      json += L"\\n";
    } else if (c < 0x20) {
      wchar_t escaped[8];
      std::swprintf(escaped, 8, L"\\u%04x", static_cast<unsigned>(c));
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + L"\"";
}
