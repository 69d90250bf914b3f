#include "commands/gui/properties.h"

#include <array>
#include <cmath>
#include <vector>

#include "commands/gui/eventslots.h"
#include "commands/gui/kinds.h"
#include "commands/gui/objectregistry.h"
#include "commands/gui/pictures.h"
#include "commands/gui/valuetexts.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/yurabase.h"
#include "engine/engine.h"
#include "engine/events.h"
#include "engine/numbers.h"
#include "source/textlines.h"

namespace yura {
namespace {

using K = TObjectKind;
using P = TProperty;

constexpr std::string_view kMsgItemUndefined = "オブジェクト\"%s\"(\"%s\")の設定項目\"%s\"は未定義です。";
constexpr std::string_view kMsgSettingUndefined = "オブジェクト\"%s\"の設定は、未定義です。";
constexpr std::string_view kMsgNoReading = "\"%s,%s\"は、未定義です。";

constexpr std::array<std::string_view, kPropertyCount> kPropertyNames = {"X",
                                                                         "Y",
                                                                         "幅",
                                                                         "高さ",
                                                                         "テキスト",
                                                                         "アイテム",
                                                                         "値",
                                                                         "画像",
                                                                         "拡大機能",
                                                                         "最大値",
                                                                         "最小値",
                                                                         "タイトル",
                                                                         "向き",
                                                                         "ボタン機能",
                                                                         "可視",
                                                                         "イベント",
                                                                         "クリックした時",
                                                                         "ダブルクリックした時",
                                                                         "マウス押した時",
                                                                         "マウス離した時",
                                                                         "キー押した時",
                                                                         "キー離した時",
                                                                         "変更した時",
                                                                         "編集",
                                                                         "透過処理",
                                                                         "背景色",
                                                                         "サイズ",
                                                                         "名前",
                                                                         "スクロールバー",
                                                                         "フォント書体",
                                                                         "フォントサイズ",
                                                                         "フォント色",
                                                                         "ファイルドロップ",
                                                                         "リサイズ",
                                                                         "ショートカットキー",
                                                                         "IME",
                                                                         "繰り返し回数",
                                                                         "効果音",
                                                                         "マウス動かした時",
                                                                         "追加画像",
                                                                         "選択文字列",
                                                                         "ハンドル",
                                                                         "有効",
                                                                         "選択位置",
                                                                         "選択文字数",
                                                                         "URL",
                                                                         "右側",
                                                                         "下側",
                                                                         "ファイルドロップした時",
                                                                         "スタイル",
                                                                         "W",
                                                                         "H",
                                                                         "位置",
                                                                         "列",
                                                                         "行",
                                                                         "ソート",
                                                                         "種類"};

// The kinds each property reaches the control for.
constexpr TKindSet kTextSetKinds{K::Button, K::Edit, K::Combo, K::Memo, K::RichEdit, K::Label,      K::Check,  K::Panel,
                                 K::Menu,   K::List, K::Radio, K::Form, K::Grid,     K::TextEditor, K::TabPage};
constexpr TKindSet kTextReadKinds{K::Button, K::Edit,    K::Combo,      K::Memo,   K::Form,  K::Label,
                                  K::Check,  K::Panel,   K::RichEdit,   K::List,   K::Radio, K::Grid,
                                  K::Menu,   K::Browser, K::TextEditor, K::TabPage};
constexpr TKindSet kItemListKinds{K::Combo, K::List, K::Radio, K::Grid, K::Tree};
constexpr TKindSet kContainerKinds{K::Form, K::Panel, K::Scroll, K::TabPage};
constexpr TKindSet kValueKinds{K::Bar, K::Combo, K::List, K::Radio, K::Grid, K::Check, K::Anime, K::Menu, K::TabPage};
constexpr TKindSet kPictureKinds{K::Button, K::Image, K::Form, K::Anime, K::Menu};
constexpr TKindSet kStretchKinds{K::Image, K::Form, K::Anime};
constexpr TKindSet kEditKinds{K::Edit, K::Memo, K::RichEdit, K::TextEditor, K::Tree, K::Combo, K::Grid};
constexpr TKindSet kTransparentKinds{K::Image, K::Form, K::Label, K::Anime};
constexpr TKindSet kBackColorSetKinds{K::Edit,  K::Combo,      K::List,  K::Memo,   K::Grid,     K::Label, K::Check,
                                      K::Panel, K::TextEditor, K::Radio, K::Scroll, K::RichEdit, K::Anime, K::Form};
constexpr TKindSet kBackColorReadKinds{K::Edit,  K::Combo, K::List,  K::Memo,       K::Form,   K::Grid,    K::Label,
                                       K::Check, K::Anime, K::Panel, K::TextEditor, K::Scroll, K::RichEdit};
constexpr TKindSet kScrollBarKinds{K::Memo, K::RichEdit};
constexpr TKindSet kFontKinds{K::Button, K::Edit, K::Combo, K::List, K::Memo, K::Grid, K::Label, K::Check, K::RichEdit};
constexpr TKindSet kImeKinds{K::Edit, K::Memo, K::TextEditor, K::RichEdit, K::Combo};
constexpr TKindSet kSelectedTextKinds{K::Edit, K::Memo, K::RichEdit, K::Combo, K::TextEditor, K::List, K::Tree};
constexpr TKindSet kSelStartKinds{K::Edit, K::Memo, K::RichEdit, K::Combo, K::TextEditor, K::Tree};
constexpr TKindSet kSelLengthKinds{K::Edit, K::Memo, K::RichEdit, K::Combo, K::TextEditor};
constexpr TKindSet kCaretKinds{K::Memo, K::RichEdit, K::Grid, K::TextEditor};
constexpr TKindSet kSortKinds{K::Combo, K::List, K::Grid};
// Parts whose height change also moves the output position.
constexpr TKindSet kNoGeometryKinds{K::Menu};

// A value text, either as written (evaluated on use) or already a value.
struct TValueText {
  std::string_view Text;
  bool Evaluated = false;
};

// One property call on one object.
class TPropertyCall {
 public:
  TPropertyCall(TEngine& engine, TObjectRef object, std::string_view propertyName)
      : engine_(engine), object_(std::move(object)), propertyName_(propertyName) {}

  void Set(TProperty property, TValueText value);
  std::string Get(TProperty property);

 private:
  TYuraBase& State() { return engine_.State(); }
  TObjectKind Kind() const { return object_.Kind; }
  TObjectControl& Control() { return *object_.Control; }

  [[noreturn]] void ItemError() { engine_.Raise(kMsgItemUndefined, {object_.Name, KindWord(Kind()), propertyName_}); }
  [[noreturn]] void SettingError() { engine_.Raise(kMsgSettingUndefined, {object_.Name}); }
  [[noreturn]] void ReadOnly() { State().RaiseFormatted(FormatMessage(kMsgReadOnly, {propertyName_})); }
  void Require(const TKindSet& kinds) {
    if (!kinds.Has(Kind())) ItemError();
  }
  void RequireForSetting(const TKindSet& kinds) {
    if (!kinds.Has(Kind())) SettingError();
  }

  std::string Evaluate(TValueText value) {
    return value.Evaluated ? std::string(value.Text) : engine_.EvalValue(value.Text);
  }
  static std::int64_t Integer(const std::string& value, std::int64_t fallback) {
    return ParseInteger(value).value_or(fallback);
  }
  static std::int64_t Whole(const std::string& value) { return TruncateToInt64(ToNumber(value)).value_or(0); }
  static std::int32_t Pixels(const std::string& value) {
    const auto pixels = TruncateToInt32(ToNumber(value));
    return pixels ? *pixels : 0;
  }

  void StoreValue(const std::string& value) {
    if (object_.Word) object_.Word->SetValue(value);
  }
  std::string StoredValue() const { return object_.Word ? object_.Word->Value() : std::string(); }

  // Control calls; a failure the script should see becomes a script error.
  void ToControl(TProperty property, const TPropertyValue& value) {
    try {
      Control().Set(property, value);
    } catch (const EPlainError& error) {
      engine_.Raise(error.what());
    }
  }
  void ToControl(TProperty property, std::int64_t number) {
    TPropertyValue value;
    value.Number = number;
    ToControl(property, value);
  }
  void ToControl(TProperty property, std::string text) {
    TPropertyValue value;
    value.Text = std::move(text);
    ToControl(property, value);
  }
  std::string FromControl(TProperty property) { return Control().Get(property); }

  void SetBounds(const TBounds& bounds) { Control().SetBounds(bounds); }
  void CentreIfAsked(TBounds bounds) {
    if (!State().Centering) return;
    const double left = std::nearbyint((Control().ParentWidth() - bounds.Width) / 2.0);
    bounds.Left = static_cast<std::int32_t>(left);
    SetBounds(bounds);
  }
  void MoveOutputBelow(const TBounds& bounds) {
    State().TextX = bounds.Left;
    State().TextY = bounds.Top + bounds.Height + PartSpacing(engine_);
  }

  // The warning of a property that has no reading.
  void WarnNoReading() {
    if (!State().ErrorWarn) return;
    engine_.Host().ShowRuntimeMessage(State().FormatError(FormatMessage(kMsgNoReading, {object_.Name, propertyName_})),
                                      {});
  }
  void RunMainEvent() { engine_.Events().RunObjectEventNow(object_.Node->Index); }

  void SetText(const std::string& value);
  void SetItems(TValueText value);
  void SetValue(const std::string& value);
  void SetPicture(TValueText value, TProperty property);
  std::string ContainedNames();
  std::string PointText(std::int32_t x, std::int32_t y) const {
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
  }

  TEngine& engine_;
  TObjectRef object_;
  std::string_view propertyName_;
};

void TPropertyCall::SetText(const std::string& value) {
  RequireForSetting(kTextSetKinds);
  StoreValue(value);
  ToControl(P::Text, value);
  if (Kind() == K::TabPage) DestroyDetachedObjects(engine_);
}

void TPropertyCall::SetItems(TValueText written) {
  const std::string value = Evaluate(written);
  if (kItemListKinds.Has(Kind())) {
    ToControl(P::Items, value);
    return;
  }
  Require(kContainerKinds);
  TPropertyValue children;
  for (std::string_view line : SplitLines(value)) {
    const std::string name(Trim(line));
    if (name.empty()) continue;
    const THashNode* word = State().Words.FindNode(name, false);
    const TObjNode* node = word != nullptr && word->Number > 0 ? ObjectOfWord(State(), word) : nullptr;
    if (node == nullptr || node->Control.get() == object_.Control) engine_.Raise(kMsgNotObject, {name});
    children.Children.push_back(node->Control.get());
  }
  ToControl(P::Items, children);
}

void TPropertyCall::SetValue(const std::string& value) {
  RequireForSetting(kValueKinds);
  StoreValue(value);
  std::int64_t number;
  switch (Kind()) {
    case K::Check:
    case K::Menu:
    case K::TabPage:
      number = Integer(value, 0);
      break;
    case K::Anime:
      number = Whole(value);
      break;
    default:
      number = Integer(value, -1);
  }
  ToControl(P::Value, number);
}

void TPropertyCall::SetPicture(TValueText written, TProperty property) {
  const std::string value = Evaluate(written);
  if (property == P::Picture) {
    RequireForSetting(kPictureKinds);
    StoreValue(value);
  } else {
    Require({K::Anime});
  }
  TPropertyValue pictures;
  const bool frames = Kind() == K::Anime;
  if (!Trim(value).empty()) {
    if (frames) {
      for (std::string_view line : SplitLines(value))
        if (!Trim(line).empty()) pictures.Pictures.push_back(ResolvePictureSource(engine_, Trim(line)));
    } else {
      pictures.Pictures.push_back(ResolvePictureSource(engine_, Trim(value)));
    }
  }
  ToControl(property, pictures);
}

std::string TPropertyCall::ContainedNames() {
  std::string names;
  for (const std::int32_t index : Control().ChildIndexes()) {
    if (index == 0) continue;
    if (const auto child = ObjectAt(engine_, index)) names += child->Name + "\r\n";
  }
  return names;
}

void TPropertyCall::Set(TProperty property, TValueText written) {
  switch (property) {
    case P::X:
    case P::Y: {
      if (Kind() == K::Menu) SettingError();
      TBounds bounds = Control().Bounds();
      (property == P::X ? bounds.Left : bounds.Top) = Pixels(Evaluate(written));
      SetBounds(bounds);
      return;
    }
    case P::Width:
    case P::W: {
      if (Kind() == K::Menu) SettingError();
      TBounds bounds = Control().Bounds();
      bounds.Width = Pixels(Evaluate(written));
      SetBounds(bounds);
      CentreIfAsked(Control().Bounds());
      return;
    }
    case P::Height:
    case P::H: {
      if (Kind() == K::Menu) SettingError();
      TBounds bounds = Control().Bounds();
      bounds.Height = Pixels(Evaluate(written));
      SetBounds(bounds);
      if (Kind() != K::Form) MoveOutputBelow(Control().Bounds());
      return;
    }
    case P::Size: {
      if (Kind() == K::Menu) SettingError();
      const auto rect = ReadRectangleText(engine_, written.Text);
      const TBounds bounds{rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1]};
      SetBounds(bounds);
      if (Kind() == K::Form) return;
      CentreIfAsked(Control().Bounds());
      State().TextX = rect[0];
      State().TextY = rect[3] + PartSpacing(engine_);
      return;
    }
    case P::Position: {
      const auto point = ReadPointText(engine_, written.Text);
      if (!point || Kind() == K::Menu) ItemError();
      TBounds bounds = Control().Bounds();
      bounds.Left = point->first;
      bounds.Top = point->second;
      SetBounds(bounds);
      return;
    }
    case P::Text:
    case P::Title:
      SetText(Evaluate(written));
      return;
    case P::Items:
      SetItems(written);
      return;
    case P::Value:
      SetValue(Evaluate(written));
      return;
    case P::Picture:
    case P::AddPicture:
      SetPicture(written, property);
      return;
    case P::Stretch:
      Require(kStretchKinds);
      ToControl(property, Integer(Evaluate(written), 0) > 0 ? 1 : 0);
      return;
    case P::Maximum:
    case P::Minimum: {
      Require({K::Bar});
      const std::string value = Evaluate(written);
      StoreValue(value);
      ToControl(property, Integer(value, 0));
      return;
    }
    case P::Orientation:
      Require({K::Bar});
      ToControl(property, Evaluate(written));
      return;
    case P::ButtonMode:
      Require({K::Anime});
      ToControl(property, Integer(Evaluate(written), 0));
      return;
    case P::Visible:
    case P::Enabled:
      ToControl(property, Integer(Evaluate(written), 0) != 0 ? 1 : 0);
      return;
    case P::Event:
      SetEventSlot(engine_, *object_.Node, Kind(), 0, written.Text);
      return;
    case P::Click:
    case P::DoubleClick:
    case P::MouseDown:
    case P::MouseUp:
    case P::KeyDown:
    case P::KeyUp:
    case P::Change:
      SetEventSlot(engine_, *object_.Node, Kind(),
                   static_cast<std::size_t>(property) - static_cast<std::size_t>(P::Click) + 1, written.Text);
      return;
    case P::MouseMove:
      SetEventSlot(engine_, *object_.Node, Kind(), 8, written.Text);
      return;
    case P::FileDropped:
      SetEventSlot(engine_, *object_.Node, Kind(), 9, written.Text);
      return;
    case P::Edit: {
      Require(kEditKinds);
      const std::string value = Evaluate(written);
      StoreValue(value);
      const TNumber number = ToNumber(value);
      const bool editable = Kind() == K::Tree || Kind() == K::Grid ? number >= 1 : number != 0;
      ToControl(property, editable ? 1 : 0);
      return;
    }
    case P::Transparent: {
      Require(kTransparentKinds);
      const std::string value = Evaluate(written);
      StoreValue(value);
      ToControl(property, ToNumber(value) > 0 ? 1 : 0);
      return;
    }
    case P::BackColor:
      Require(kBackColorSetKinds);
      ToControl(property, ColorValue(Evaluate(written)).value_or(-1));
      return;
    case P::Name:
    case P::Handle:
      engine_.Raise(kMsgReadOnly, {propertyName_});
    case P::RightSide:
    case P::BottomSide:
    case P::Kind:
      ReadOnly();
    case P::ScrollBars:
      Require(kScrollBarKinds);
      ToControl(property, Evaluate(written));
      return;
    case P::FontFace: {
      Require(kFontKinds);
      TPropertyValue value;
      value.Font = ResolveFontText(engine_, Evaluate(written), TextSizeSetting(engine_));
      ToControl(property, value);
      return;
    }
    case P::FontSize:
      Require(kFontKinds);
      ToControl(property, Integer(Evaluate(written), 9));
      return;
    case P::FontColor:
      Require(kFontKinds);
      ToControl(property, ColorValue(Evaluate(written)).value_or(0));
      return;
    case P::FileDrop:
      ToControl(property, Evaluate(written) == "0" ? 0 : 1);
      return;
    case P::Resizable:
      Require({K::Form});
      ToControl(property, ToNumber(Evaluate(written)) >= 1 ? 1 : 0);
      return;
    case P::Shortcut: {
      Require({K::Menu});
      const std::string value = Evaluate(written);
      StoreValue(value);
      ToControl(property, value);
      return;
    }
    case P::Ime: {
      Require(kImeKinds);
      const std::string value = Evaluate(written);
      StoreValue(value);
      const std::int64_t mode = Whole(value);
      ToControl(property, mode >= 1 && mode <= 4 ? mode : 0);
      return;
    }
    case P::RepeatCount:
      Require({K::Anime});
      ToControl(property, Integer(Evaluate(written), 0));
      return;
    case P::Sound:
      Require({K::Anime});
      ToControl(property, Evaluate(written));
      return;
    case P::SelectedText:
      Require(kSelectedTextKinds);
      ToControl(property, Evaluate(written));
      return;
    case P::SelStart:
      Require(kSelStartKinds);
      ToControl(property, Whole(Evaluate(written)));
      return;
    case P::SelLength:
      Require(kSelLengthKinds);
      ToControl(property, Whole(Evaluate(written)));
      return;
    case P::Url:
      Require({K::Browser});
      ToControl(property, Evaluate(written));
      return;
    case P::Style:
      Require({K::Form});
      ToControl(property, Integer(Evaluate(written), 0));
      return;
    case P::Column:
    case P::Row:
      Require(kCaretKinds);
      ToControl(property, Integer(Evaluate(written), 0));
      return;
    case P::Sort:
      Require(kSortKinds);
      ToControl(property, Integer(Evaluate(written), 0));
      return;
  }
}

std::string TPropertyCall::Get(TProperty property) {
  std::string_view tag = kTagNumber;
  std::string result;
  auto live = [&](const TKindSet& kinds, std::string_view otherwise) {
    result = kinds.Has(Kind()) ? FromControl(property) : std::string(otherwise);
  };
  const bool geometry = !kNoGeometryKinds.Has(Kind());
  const TBounds bounds = geometry ? Control().Bounds() : TBounds{};
  switch (property) {
    case P::X:
      result = std::to_string(bounds.Left);
      break;
    case P::Y:
      result = std::to_string(bounds.Top);
      break;
    case P::Width:
    case P::W:
      result = std::to_string(bounds.Width);
      break;
    case P::Height:
    case P::H:
      result = std::to_string(bounds.Height);
      break;
    case P::Size:
      if (!geometry) ItemError();
      result = "(" + std::to_string(bounds.Left) + "," + std::to_string(bounds.Top) + "," +
               std::to_string(bounds.Left + bounds.Width) + "," + std::to_string(bounds.Top + bounds.Height) + ")";
      tag = kTagString;
      break;
    case P::Position:
      if (!geometry) ItemError();
      result = PointText(bounds.Left, bounds.Top);
      tag = kTagString;
      break;
    case P::RightSide:
      result = PointText(bounds.Left + bounds.Width + PartSpacing(engine_), bounds.Top);
      tag = kTagString;
      break;
    case P::BottomSide:
      result = PointText(bounds.Left, bounds.Top + bounds.Height + PartSpacing(engine_));
      tag = kTagString;
      break;
    case P::Text:
      result = kTextReadKinds.Has(Kind()) ? FromControl(P::Text) : StoredValue();
      tag = kTagString;
      break;
    case P::Title:
      result = Kind() == K::Form ? FromControl(P::Title) : StoredValue();
      tag = kTagString;
      break;
    case P::Items:
      if (kItemListKinds.Has(Kind()))
        result = FromControl(P::Items);
      else if (kContainerKinds.Has(Kind()))
        result = ContainedNames();
      tag = kTagString;
      break;
    case P::Value:
      live(kValueKinds, "0");
      break;
    case P::Picture:
    case P::AddPicture:
      result = StoredValue();
      tag = kTagString;
      break;
    case P::Stretch:
      live(kStretchKinds, "");
      break;
    case P::Maximum:
    case P::Minimum:
      live({K::Bar}, "0");
      break;
    case P::Orientation:
      Require({K::Bar});
      result = FromControl(property);
      tag = kTagString;
      break;
    case P::ButtonMode:
      Require({K::Anime});
      result = FromControl(property);
      break;
    case P::Visible:
    case P::Enabled:
      result = FromControl(property);
      if (result.empty()) result = "0";
      break;
    case P::Event:
      RunMainEvent();
      tag = kTagString;
      break;
    case P::Click:
    case P::DoubleClick:
    case P::MouseDown:
    case P::MouseUp:
    case P::KeyDown:
    case P::KeyUp:
    case P::Change:
    case P::MouseMove:
    case P::FileDropped:
    case P::Sort:
      WarnNoReading();
      tag = kTagString;
      break;
    case P::Edit:
      Require(kEditKinds);
      result = FromControl(property);
      break;
    case P::Transparent:
      live(kTransparentKinds, "0");
      break;
    case P::BackColor:
      live(kBackColorReadKinds, "0");
      break;
    case P::Name:
      result = object_.Node->Name;
      tag = kTagString;
      break;
    case P::Handle:
      result = FromControl(property);
      if (result.empty()) result = "0";
      break;
    case P::ScrollBars:
      Require(kScrollBarKinds);
      result = FromControl(property);
      tag = kTagString;
      break;
    case P::FontFace:
      live(kFontKinds, "");
      tag = kTagString;
      break;
    case P::FontSize:
    case P::FontColor:
      live(kFontKinds, "0");
      break;
    case P::FileDrop:
      tag = kTagString;
      break;
    case P::Resizable:
    case P::Style:
      live({K::Form}, "0");
      break;
    case P::Shortcut:
      live({K::Menu}, "");
      tag = kTagString;
      break;
    case P::Ime:
      live(kImeKinds, "0");
      break;
    case P::RepeatCount:
      live({K::Anime}, "0");
      if (result.empty()) result = "0";
      break;
    case P::Sound:
      live({K::Anime}, "");
      tag = kTagString;
      break;
    case P::SelectedText:
      live(kSelectedTextKinds, "");
      tag = kTagString;
      break;
    case P::SelStart:
      live(kSelStartKinds, "0");
      break;
    case P::SelLength:
      live(kSelLengthKinds, "0");
      break;
    case P::Url:
      live({K::Browser}, "");
      tag = kTagString;
      break;
    case P::Column:
    case P::Row:
      Require(kCaretKinds);
      result = FromControl(property);
      break;
    case P::Kind:
      result = std::string(KindWord(Kind()));
      tag = kTagString;
      break;
  }
  State().LastType.assign(tag);
  return result;
}

// The property of a name written by the script, or the item error.
TProperty PropertyOrItemError(TEngine& engine, const TObjectRef& object, std::string_view name) {
  if (const auto property = PropertyOfName(name)) return *property;
  engine.Raise(kMsgItemUndefined, {object.Name, KindWord(object.Kind), name});
}

// The property a plain word reading or assignment of the object means.
TProperty DefaultProperty(TObjectKind kind) {
  switch (kind) {
    case K::Image:
    case K::Anime:
      return P::Picture;
    case K::Bar:
    case K::Track:
      return P::Value;
    case K::Tree:
      return P::Items;
    default:
      return P::Text;
  }
}

}  // namespace

void SetProperty(TEngine& engine, std::string_view object, std::string_view property, std::string_view valueText) {
  TObjectRef ref = ObjectForSetting(engine, object);
  const TProperty id = PropertyOrItemError(engine, ref, property);
  TPropertyCall(engine, std::move(ref), property).Set(id, {valueText, false});
}

std::string GetProperty(TEngine& engine, std::string_view object, std::string_view property) {
  TObjectRef ref = ObjectForReading(engine, object);
  const TProperty id = PropertyOrItemError(engine, ref, property);
  return TPropertyCall(engine, std::move(ref), property).Get(id);
}

std::string GetDefaultValue(TEngine& engine, std::string_view object) {
  TObjectRef ref = ObjectForReading(engine, object);
  const TProperty id = DefaultProperty(ref.Kind);
  return TPropertyCall(engine, std::move(ref), kPropertyNames[static_cast<std::size_t>(id)]).Get(id);
}

void SetDefaultValue(TEngine& engine, std::string_view object, std::string_view value) {
  TObjectRef ref = ObjectForSetting(engine, object);
  const TProperty id = DefaultProperty(ref.Kind);
  TPropertyCall(engine, std::move(ref), kPropertyNames[static_cast<std::size_t>(id)]).Set(id, {value, true});
}

std::optional<TProperty> PropertyOfName(std::string_view name) {
  static const std::vector<std::string> stripped = [] {
    std::vector<std::string> names;
    for (std::string_view property : kPropertyNames) names.push_back(StripOkurigana(property));
    return names;
  }();
  const std::string key = StripOkurigana(name);
  for (std::size_t i = 0; i < stripped.size(); ++i)
    if (stripped[i] == key) return static_cast<TProperty>(i);
  return std::nullopt;
}

}  // namespace yura
