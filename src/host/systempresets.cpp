#include "host/systempresets.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>

#include "platform/paths.h"
#include "platform/qtext.h"

namespace yura {
namespace {

std::string Folder(const QString& path) {
  return path.isEmpty() ? std::string() : WithTrailingSeparator(FromQString(path));
}

std::string Standard(QStandardPaths::StandardLocation location) {
  return Folder(QStandardPaths::writableLocation(location));
}

// The freedesktop folders that stand for the ones the language names.
std::string DataFolder(const char* below) {
  return Folder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1String(below));
}

}  // namespace

TSystemPresets ComputeSystemPresets() {
  TSystemPresets presets{
      {"デスクトップのパス", Standard(QStandardPaths::DesktopLocation)},
      {"ゴミ箱のパス", DataFolder("/Trash/files")},
      {"マイドキュメントのパス", Standard(QStandardPaths::DocumentsLocation)},
      {"スタートメニューのパス", Standard(QStandardPaths::ApplicationsLocation)},
      {"スタートアップのパス",
       Folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1String("/autostart"))},
      {"SENDTOのパス", DataFolder("/file-manager/actions")},
      {"WINDOWSのパス", "/usr/"},
      {"SYSTEMのパス", "/usr/bin/"},
      {"TEMPのパス", Standard(QStandardPaths::TempLocation)},
      {"お気に入りのパス", DataFolder("/bookmarks")},
      {"OS", FromQString(QSysInfo::prettyProductName())},
  };
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen != nullptr ? screen->size() : QSize();
  presets.emplace_back("デスクトップの幅", std::to_string(size.width()));
  presets.emplace_back("デスクトップの高さ", std::to_string(size.height()));
  return presets;
}

}  // namespace yura
