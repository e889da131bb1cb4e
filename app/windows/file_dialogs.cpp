#include "app/windows/file_dialogs.h"

#include <shobjidl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/windows/text_encoding.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease>;

template <class Dialog>
ComPointer<Dialog> createDialog(REFCLSID kind) {
  Dialog* dialog = nullptr;
  if (FAILED(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) {
    return nullptr;
  }
  return ComPointer<Dialog>(dialog);
}

// Makes `dialog` open in `folder`, when the system knows that folder.
void startIn(IFileDialog& dialog, const fs::path& folder) {
  IShellItem* item = nullptr;
  if (folder.empty() ||
      FAILED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(&item)))) {
    return;
  }
  dialog.SetFolder(item);
  item->Release();
}

// Shows `dialog` with the file types of `filter`; returns the chosen file system path.
std::optional<fs::path> showDialog(IFileDialog& dialog, HWND owner, std::string_view filter,
                                   const wchar_t* defaultExtension) {
  std::vector<std::wstring> texts;
  for (const FileTypeFilter& type : splitFilter(filter)) {
    texts.push_back(widen(type.description));
    texts.push_back(widen(type.pattern));
  }
  std::vector<COMDLG_FILTERSPEC> types;
  for (std::size_t k = 0; k + 1 < texts.size(); k += 2) {
    types.push_back({texts[k].c_str(), texts[k + 1].c_str()});
  }
  dialog.SetFileTypes(static_cast<UINT>(types.size()), types.data());
  dialog.SetDefaultExtension(defaultExtension);
  FILEOPENDIALOGOPTIONS options = 0;
  dialog.GetOptions(&options);
  dialog.SetOptions(options | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  if (FAILED(dialog.Show(owner))) return std::nullopt;

  IShellItem* chosen = nullptr;
  if (FAILED(dialog.GetResult(&chosen))) return std::nullopt;
  const ComPointer<IShellItem> item(chosen);
  wchar_t* path = nullptr;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
  fs::path result(path);
  CoTaskMemFree(path);
  return result;
}

}  // namespace

std::optional<fs::path> askOpenPath(HWND owner, std::string_view filter,
                                    const wchar_t* defaultExtension,
                                    const std::optional<fs::path>& startFolder) {
  const ComPointer<IFileOpenDialog> dialog = createDialog<IFileOpenDialog>(CLSID_FileOpenDialog);
  if (!dialog) return std::nullopt;
  if (startFolder) startIn(*dialog, *startFolder);
  return showDialog(*dialog, owner, filter, defaultExtension);
}

std::optional<fs::path> askSavePath(HWND owner, std::string_view filter,
                                    const wchar_t* defaultExtension, const SaveProposal& proposal) {
  const ComPointer<IFileSaveDialog> dialog = createDialog<IFileSaveDialog>(CLSID_FileSaveDialog);
  if (!dialog) return std::nullopt;
  startIn(*dialog, proposal.folder);
  dialog->SetFileName(proposal.fileName.c_str());
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_OVERWRITEPROMPT);
  return showDialog(*dialog, owner, filter, defaultExtension);
}

}  // namespace trelvox
