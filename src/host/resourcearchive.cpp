#include "host/resourcearchive.h"

#include "host/messages.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "platform/tempfolder.h"
#include "source/sjis.h"

namespace yura {
namespace {

class TResourceArchive final : public TOwnedState {
 public:
  explicit TResourceArchive(std::unique_ptr<TFileMixReader> reader) : reader_(std::move(reader)) {}
  const TFileMixReader& Reader() const { return *reader_; }

 private:
  std::unique_ptr<TFileMixReader> reader_;
};

// The member's file name in the temporary folder: every ":", "\" and "/"
// becomes "__", so that no name reaches outside the folder.
std::string TemporaryName(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = CharLengthAt(name, i);
    const char c = name[i];
    if (length == 1 && (c == ':' || c == '\\' || c == '/'))
      out += "__";
    else
      out.append(name.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace

bool OpenResourceArchive(TYuraBase& state, std::string_view path, std::uint64_t base, std::string& error) {
  std::unique_ptr<TFileMixReader> reader = TFileMixReader::Open(path, base, error);
  if (!reader) return false;
  state.ResourceArchive = std::make_unique<TResourceArchive>(std::move(reader));
  return true;
}

const TFileMixReader* ResourceArchiveOf(const TYuraBase& state) {
  const auto* archive = dynamic_cast<const TResourceArchive*>(state.ResourceArchive.get());
  return archive != nullptr ? &archive->Reader() : nullptr;
}

std::string ExtractResource(TYuraBase& state, std::string_view name) {
  const TFileMixReader* reader = ResourceArchiveOf(state);
  if (reader == nullptr || name.empty() || !reader->HasMember(name)) return {};
  const std::string fileName = TemporaryName(name);
  const std::string& folder = state.TempFolder.Path();
  if (!folder.empty() && FileExists(folder + fileName)) return folder + fileName;
  const std::optional<std::string> bytes = reader->ReadMember(name);
  std::string path = bytes ? state.TempFolder.CreateFile(fileName, *bytes) : std::string();
  if (path.empty()) state.Raise(FormatMessage(kMsgPackedMemberFailed, {name}));
  state.TempFiles.push_back(path);
  return path;
}

std::string CopyResourceArchive(TYuraBase& state) {
  const TFileMixReader* reader = ResourceArchiveOf(state);
  const std::string& folder = state.TempFolder.Path();
  if (reader == nullptr || folder.empty()) return {};
  const std::optional<std::string> bytes = reader->ContainerBytes();
  if (!bytes) return {};
  const std::string copy = UniqueTempName(folder, "TMP.TMP", folder);
  return state.TempFolder.CreateFile(FileNamePart(copy), *bytes);
}

}  // namespace yura
