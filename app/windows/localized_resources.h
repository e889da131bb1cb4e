#pragma once

#include <windows.h>

#include <string>

#include "conversion/message_id.h"

namespace trelvox {

// This program's resources in one chosen language, found by explicit language id rather than by
// the thread's language, so that the choice holds wherever the program runs. A resource the
// language lacks is taken in English.
class LocalizedResources {
 public:
  LocalizedResources(HINSTANCE instance, LANGID language)
      : instance_(instance), language_(language) {}

  HINSTANCE instance() const { return instance_; }
  LANGID language() const { return language_; }

  // String `id`; empty when there is none.
  std::wstring string(UINT id) const;
  std::wstring string(MessageId id) const { return string(static_cast<UINT>(id)); }
  // A menu the caller owns and destroys (or hands to a window).
  HMENU loadMenu(UINT id) const;
  const DLGTEMPLATE* dialogTemplate(UINT id) const;

 private:
  const void* find(LPCWSTR type, UINT id) const;

  HINSTANCE instance_;
  LANGID language_;
};

}  // namespace trelvox
