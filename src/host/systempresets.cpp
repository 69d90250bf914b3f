#include "host/systempresets.h"

#include <QGuiApplication>
#include <QPalette>
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

// A colour as the platform value scripts use: red + green×256 + blue×65536.
std::string PlatformColor(const QColor& color) {
  return std::to_string(color.red() + color.green() * 256 + color.blue() * 65536);
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
  // The system colours at start-up: the window face, the desktop, active and
  // inactive title bars, and the selection.
  const QPalette palette = QGuiApplication::palette();
  presets.emplace_back("ウィンドウ色", PlatformColor(palette.color(QPalette::Window)));
  presets.emplace_back("ウインドウ色", PlatformColor(palette.color(QPalette::Window)));
  presets.emplace_back("デスクトップ色", PlatformColor(palette.color(QPalette::Dark)));
  presets.emplace_back("アクティブ色", PlatformColor(palette.color(QPalette::Active, QPalette::Highlight)));
  presets.emplace_back("非アクティブ色", PlatformColor(palette.color(QPalette::Inactive, QPalette::Window)));
  presets.emplace_back("選択色", PlatformColor(palette.color(QPalette::Highlight)));
  return presets;
}

}  // namespace yura
