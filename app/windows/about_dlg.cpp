#include "app/windows/about_dlg.h"

#include <string>
#include <vector>

#include "app/windows/text_room.h"
#include "resources/resource.h"

namespace trelvox {
namespace {

// The template keeps this much room between its controls and the dialog's right edge.
constexpr LONG kMarginDialogUnits = 7;

ControlBox boxOf(HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

void moveControl(HWND control, const ControlBox& box) {
  SetWindowPos(control, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The template's sizes are dialog units of its own font; with another font the version and the
// notice could be cut off, so both get the width their text has in the font really used.
void makeRoomForTexts(HWND dialog) {
  std::vector<HWND> textControls;
  std::vector<DialogText> texts;
  std::vector<HWND> otherControls;
  std::vector<ControlBox> others;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id == IDC_ABOUT_VERSION || id == IDC_ABOUT_NOTICE) {
      textControls.push_back(child);
      texts.push_back({boxOf(dialog, child), static_cast<int>(textExtent(child, {}).cx)});
    } else {
      otherControls.push_back(child);
      others.push_back(boxOf(dialog, child));
    }
  }
  RECT client{};
  GetClientRect(dialog, &client);
  RECT margin{kMarginDialogUnits, 0, 0, 0};
  MapDialogRect(dialog, &margin);
  const TextRoom room = roomForTexts(texts, others, client.right, margin.left);

  for (std::size_t k = 0; k < textControls.size(); ++k) {
    ControlBox box = texts[k].box;
    box.right = room.textRights[k];
    moveControl(textControls[k], box);
  }
  for (std::size_t k = 0; k < otherControls.size(); ++k) {
    ControlBox box = others[k];
    box.left += room.otherShifts[k];
    box.right += room.otherShifts[k];
    moveControl(otherControls[k], box);
  }
  if (room.addedWidth > 0) {
    RECT frame{};
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + room.addedWidth,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

void CAboutDlg::doModal(HWND owner) const {
  DialogBoxIndirectParamW(resources_.instance(), resources_.dialogTemplate(IDD_ABOUTBOX), owner,
                          dialogProc, 0);
}

INT_PTR CALLBACK CAboutDlg::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      makeRoomForTexts(window);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

SIZE textExtent(HWND text, std::optional<int> wrapWidth) {
  std::wstring content(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
  content.resize(static_cast<std::size_t>(
      GetWindowTextW(text, content.data(), static_cast<int>(content.size()))));
  const bool noPrefix = (GetWindowLongPtrW(text, GWL_STYLE) & SS_NOPREFIX) != 0;
  UINT format = DT_CALCRECT | DT_EXPANDTABS | (noPrefix ? DT_NOPREFIX : 0U);
  format |= wrapWidth ? DT_WORDBREAK : DT_SINGLELINE;
  RECT rect{0, 0, wrapWidth.value_or(0), 0};

  const HDC dc = GetDC(text);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0));
  const HGDIOBJ previousFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  DrawTextW(dc, content.c_str(), static_cast<int>(content.size()), &rect, format);
  if (previousFont != nullptr) SelectObject(dc, previousFont);
  ReleaseDC(text, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace trelvox
