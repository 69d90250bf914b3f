#include "host/gui/picture.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <string>

#include "core/errors.h"
#include "host/gui/control.h"
#include "host/gui/guimessages.h"
#include "platform/paths.h"
#include "platform/qtext.h"

namespace yura {
namespace {

// The extension after the last dot of the file name (not of a folder).
std::string LowerExtension(std::string_view name) {
  const std::string_view file = FileNamePart(name);
  const std::size_t dot = file.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string extension(file.substr(dot));
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return extension;
}

[[noreturn]] void FailToRead(const std::string& name, const QString& reason) {
  std::string message = FormatMessage(kMsgPictureUnreadable, {name});
  if (!reason.isEmpty()) message += FromQString(reason);
  throw EPlainError(message);
}

// An icon file: the 32x32 image when there is one, else the first, drawn
// onto a white bitmap of its size.
QImage ReadIcon(QImageReader& reader, const std::string& name) {
  QImage chosen;
  do {
    QImage frame = reader.read();
    if (frame.isNull()) break;
    if (chosen.isNull() || frame.size() == QSize(32, 32)) chosen = std::move(frame);
    if (chosen.size() == QSize(32, 32)) break;
  } while (reader.jumpToNextImage());
  if (chosen.isNull()) FailToRead(name, reader.errorString());
  QImage bitmap(chosen.size(), QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  QPainter painter(&bitmap);
  painter.drawImage(0, 0, chosen);
  return bitmap;
}

QImage ReadFile(const TPictureSource& source) {
  const std::string& name = source.Path.empty() ? source.Written : source.Path;
  const std::string extension = LowerExtension(name);
  QByteArray format;
  if (extension == ".bmp")
    format = "bmp";
  else if (extension == ".png")
    format = "png";
  else if (extension == ".jpg" || extension == ".jpeg")
    format = "jpeg";
  else if (extension == ".ico")
    format = "ico";
  else
    throw EPlainError(FormatMessage(kMsgPictureUnsupported, {name}));

  QFile file(QString::fromStdString(ToNativePath(name)));
  if (!file.open(QIODevice::ReadOnly)) FailToRead(name, {});
  QImageReader reader(&file, format);
  if (format == "ico") return ReadIcon(reader, name);
  QImage image = reader.read();
  if (image.isNull()) FailToRead(name, reader.errorString());
  return image;
}

}  // namespace

QImage LoadPicture(const TPictureSource& source) {
  switch (source.From) {
    case TPictureSource::TFrom::Clipboard: {
      const QClipboard* clipboard = QGuiApplication::clipboard();
      return clipboard != nullptr ? clipboard->image() : QImage();
    }
    case TPictureSource::TFrom::Object: {
      const auto* control = dynamic_cast<const TQtControl*>(source.Object);
      const QImage* picture = control != nullptr ? control->Picture() : nullptr;
      if (picture == nullptr) throw EPlainError(FormatMessage(kMsgNotAPicture, {source.Written}));
      return picture->copy();
    }
    case TPictureSource::TFrom::File:
      break;
  }
  return ReadFile(source);
}

}  // namespace yura
