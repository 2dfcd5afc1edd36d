#include "app_win32/win32_menus.h"

#include <cctype>
#include <utility>

#include "platform/win32/wide_text.h"

namespace zb {
namespace {

constexpr int kFirstMenuId = 100;

}  // namespace

MenuBinding::MenuBinding(MainForm& f) : bar_(CreateMenu()) {
  AddMenu(f.mnuFile, f.mnuFileItem);
  AddMenu(f.mnuView, f.mnuViewItem);
  AddMenu(f.mnuRun, f.mnuRunItem);
  AddMenu(f.mnuOption, f.mnuOptionItem);
  AddMenu(f.mnuHelp, f.mnuHelpItem);
  accelerators_ = CreateAcceleratorTableW(keys_.data(), static_cast<int>(keys_.size()));
}

MenuBinding::~MenuBinding() {
  for (const Entry& entry : entries_) entry.item->Unobserve(entry.observer);
  DestroyAcceleratorTable(accelerators_);
}

void MenuBinding::AddMenu(MenuItem& title, std::span<MenuItem> items) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu),
              WideFromUtf8(title.Caption()).c_str());
  for (MenuItem& item : items) {
    if (item.Separator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const int id = kFirstMenuId + static_cast<int>(entries_.size());
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), L"");
    entries_.push_back({&item, menu, 0});
    const std::size_t index = entries_.size() - 1;
    Show(entries_[index]);
    entries_[index].observer = item.Observe([this, index] { Show(entries_[index]); });
    if (auto key = AcceleratorOf(item.Shortcut(), static_cast<WORD>(id))) keys_.push_back(*key);
  }
}

void MenuBinding::Show(const Entry& entry) {
  const MenuItem& item = *entry.item;
  std::wstring text = WideFromUtf8(item.Caption());
  if (!item.Shortcut().empty()) text += L"\t" + WideFromUtf8(item.Shortcut());
  const UINT state =
      (item.Enabled() ? MF_ENABLED : MF_GRAYED) | (item.Checked() ? MF_CHECKED : MF_UNCHECKED);
  const UINT id = static_cast<UINT>(IdOf(item));
  ModifyMenuW(entry.menu, id, MF_BYCOMMAND | MF_STRING | state, id, text.c_str());
}

bool MenuBinding::Choose(int id) {
  const int index = id - kFirstMenuId;
  if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
  entries_[static_cast<std::size_t>(index)].item->Choose();
  return true;
}

int MenuBinding::IdOf(const MenuItem& item) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].item == &item) return kFirstMenuId + static_cast<int>(i);
  }
  return 0;
}

std::optional<ACCEL> AcceleratorOf(const std::string& keys, WORD command) {
  BYTE flags = FVIRTKEY;
  std::string rest = keys;
  for (const auto& [prefix, flag] : {std::pair<std::string, BYTE>{"Ctrl+", FCONTROL},
                                     std::pair<std::string, BYTE>{"Shift+", FSHIFT},
                                     std::pair<std::string, BYTE>{"Alt+", FALT}}) {
    if (rest.starts_with(prefix)) {
      flags |= flag;
      rest.erase(0, prefix.size());
    }
  }
  WORD key = 0;
  if (rest.size() == 1 && rest[0] >= 'A' && rest[0] <= 'Z') {
    key = static_cast<WORD>(rest[0]);
  } else if (rest.size() >= 2 && rest[0] == 'F' &&
             std::isdigit(static_cast<unsigned char>(rest[1]))) {
    const int n = std::stoi(rest.substr(1));
    if (n < 1 || n > 24) return std::nullopt;
    key = static_cast<WORD>(VK_F1 + n - 1);
  } else {
    return std::nullopt;
  }
  return ACCEL{flags, key, command};
}

}  // namespace zb
