// The GUI parts as the engine sees them: their kinds, their properties, and
// the small interface a window toolkit implements for each part. The engine
// decides which property a kind has, reads and checks the value, keeps the
// stored value text and formats what a script reads back; the control only
// carries out a property on its widget.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

// The kinds, in the order of their numbers (the kind word's index).
enum class TObjectKind : std::int32_t {
  Button,      // ボタン
  Edit,        // エディタ
  Image,       // イメージ
  Bar,         // バー
  Combo,       // コンボ
  List,        // リスト
  Memo,        // メモ
  Form,        // フォーム
  Grid,        // グリッド
  Label,       // ラベル
  Check,       // チェック
  Track,       // トラック
  Anime,       // アニメ
  Menu,        // メニュー
  Browser,     // ブラウザ
  Panel,       // パネル
  TextEditor,  // Tエディタ
  Radio,       // ラジオ
  Scroll,      // スクロール
  TabPage,     // タブページ
  Tree,        // ツリー
  RichEdit,    // リッチエディタ
};
inline constexpr std::size_t kObjectKindCount = 22;

// The properties, in the order of the property table.
enum class TProperty : std::int32_t {
  X,
  Y,
  Width,
  Height,
  Text,
  Items,
  Value,
  Picture,
  Stretch,
  Maximum,
  Minimum,
  Title,
  Orientation,
  ButtonMode,
  Visible,
  Event,
  Click,
  DoubleClick,
  MouseDown,
  MouseUp,
  KeyDown,
  KeyUp,
  Change,
  Edit,
  Transparent,
  BackColor,
  Size,
  Name,
  ScrollBars,
  FontFace,
  FontSize,
  FontColor,
  FileDrop,
  Resizable,
  Shortcut,
  Ime,
  RepeatCount,
  Sound,
  MouseMove,
  AddPicture,
  SelectedText,
  Handle,
  Enabled,
  SelStart,
  SelLength,
  Url,
  RightSide,
  BottomSide,
  FileDropped,
  Style,
  W,
  H,
  Position,
  Column,
  Row,
  Sort,
  Kind,
};
inline constexpr std::size_t kPropertyCount = 57;

// Pixels; for a form window the width and height are those of its client area.
struct TBounds {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// A font as the parts and the text output use it: face, style and size.
struct TFontSetting {
  std::string Face;  // Shift_JIS
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  std::int32_t Points = 12;
};

class TObjectControl;

// One picture to load, as the engine resolved its source text.
struct TPictureSource {
  enum class TFrom { File, Clipboard, Object };
  TFrom From = TFrom::File;
  std::string Written;                     // the source text as given (for messages)
  std::string Path;                        // File: the resolved file name
  const TObjectControl* Object = nullptr;  // Object: an イメージ or a フォーム
};

// What the engine hands to TObjectControl::Set; which member is filled is
// said at each property in TObjectControl.
struct TPropertyValue {
  std::string Text;  // Shift_JIS; lists are CRLF lines
  std::int64_t Number = 0;
  TFontSetting Font;
  std::vector<TPictureSource> Pictures;
  std::vector<TObjectControl*> Children;
};

// The window component behind an object. Get and Set are only called for the
// properties the engine routes to the control for its kind; the meaning of
// each property per kind is the part's documented behaviour.
//
// Set receives, by property:
//   Text, Title, Items (lists), Orientation, ScrollBars, Shortcut, Sound,
//   SelectedText, Url: Value.Text
//   Items of a container (フォーム, パネル, スクロール, タブページ):
//   Value.Children Value, Maximum, Minimum, ButtonMode, Visible, Enabled, Edit,
//   FontSize, Resizable, Ime, RepeatCount, SelStart, SelLength, Style, Column,
//   Row, Sort, FileDrop (0/1): Value.Number (already integer with its fallback)
//   Stretch, Transparent: Value.Number 0/1
//   BackColor, FontColor: Value.Number, the platform colour (red in the low
//   byte; -1 when the text was no colour)
//   FontFace: Value.Font
//   Picture, AddPicture: Value.Pictures (empty: remove the picture)
// A failure the script should see is thrown as EPlainError with its message.
//
// Get returns the reading as text (numbers in decimal) for: Text, Title
// (フォーム), Items (lists, grids, trees), Value, Stretch, Maximum, Minimum,
// Orientation, ButtonMode, Visible, Enabled, Edit, Transparent, BackColor,
// Handle, ScrollBars, FontFace, FontSize, FontColor, Resizable, Shortcut, Ime,
// RepeatCount, Sound, SelectedText, SelStart, SelLength, Url, Style, Column,
// Row.
class TObjectControl {
 public:
  virtual ~TObjectControl() = default;

  virtual TBounds Bounds() const = 0;
  virtual void SetBounds(const TBounds& bounds) = 0;
  // The width a part is centred in: the parent's outer width for a panel,
  // scroll box or page control, its client width otherwise.
  virtual std::int32_t ParentWidth() const = 0;

  virtual std::string Get(TProperty property) = 0;
  virtual void Set(TProperty property, const TPropertyValue& value) = 0;

  // The object indexes of the parts this container holds, in child order
  // (a page control: those on its active sheet).
  virtual std::vector<std::int32_t> ChildIndexes() const { return {}; }

  // Destruction: contents emptied, the part hidden (a form window closed).
  virtual void Dismantle() = 0;
  // True once the widget is gone or sits inside a dismantled form or a
  // removed tab sheet: the engine then treats the object as destroyed.
  virtual bool Detached() const = 0;
};

// Where a new part goes and how it starts.
struct TControlSetup {
  TObjectKind Kind = TObjectKind::Button;
  std::int32_t Index = 0;  // the object index, carried as the control's tag
  std::string Caption;     // the default caption (Shift_JIS)
  TFontSetting Font;       // the current text settings
  std::int32_t TextColor = 0;
  // The place inside the main window (unused for a フォーム). The engine
  // moves the part afterwards when centring is on.
  std::int32_t Left = 0;
  std::int32_t Top = 0;
};

// The GUI toolkit as the command family sees it.
class TGuiService {
 public:
  virtual ~TGuiService() = default;

  // Makes a part of the main window (a フォーム: its own window, centred on
  // the screen and shown). Never returns null; throws EPlainError when the
  // platform cannot make it, leaving nothing behind.
  virtual std::shared_ptr<TObjectControl> CreateControl(const TControlSetup& setup) = 0;
  // A menu item under a menu object, or at the top of the main window's menu
  // bar when the parent is null; "-" makes a separator.
  virtual std::shared_ptr<TObjectControl> CreateMenuItem(TObjectControl* parent, std::string_view caption,
                                                         std::int32_t index) = 0;
  // The installed font families (Shift_JIS).
  virtual std::vector<std::string> FontFamilies() = 0;
  virtual void SetTrayIcon(bool on) = 0;
};

}  // namespace yura
