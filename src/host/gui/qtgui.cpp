#include "host/gui/qtgui.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "core/errors.h"
#include "host/gui/buttons.h"
#include "host/gui/containers.h"
#include "host/gui/fonts.h"
#include "host/gui/formwindow.h"
#include "host/gui/guimessages.h"
#include "host/gui/imagecontrols.h"
#include "host/gui/listcontrols.h"
#include "host/gui/menucontrol.h"
#include "host/gui/rangecontrols.h"
#include "host/gui/textcontrols.h"
#include "host/gui/texteditor.h"
#include "host/gui/trayicon.h"
#include "host/gui/viewcontrols.h"
#include "platform/qtext.h"

namespace yura {

TQtGui::TQtGui() : hook_(std::make_shared<TEventHook>()), tray_(std::make_unique<TTrayIcon>(hook_)) {
  InstallFontSubstitutions();
}

TQtGui::~TQtGui() = default;

std::shared_ptr<TObjectControl> TQtGui::AttachMainWindow(TFormWindow* window) {
  main_ = window;
  return std::make_shared<TFormControl>(window, std::make_shared<TEventSource>(hook_, 0));
}

namespace {

std::shared_ptr<TQtControl> MakePart(const TPartContext& context) {
  switch (context.Setup.Kind) {
    case TObjectKind::Button:
      return std::make_shared<TButtonControl>(context);
    case TObjectKind::Edit:
      return std::make_shared<TEditControl>(context);
    case TObjectKind::Image:
      return std::make_shared<TImageControl>(context);
    case TObjectKind::Bar:
      return std::make_shared<TBarControl>(context);
    case TObjectKind::Combo:
      return std::make_shared<TComboControl>(context);
    case TObjectKind::List:
      return std::make_shared<TListControl>(context);
    case TObjectKind::Memo:
      return std::make_shared<TMultiLineControl<QPlainTextEdit>>(TObjectKind::Memo, context);
    case TObjectKind::Form:
      return std::make_shared<TFormControl>(context);
    case TObjectKind::Grid:
      return std::make_shared<TGridControl>(context);
    case TObjectKind::Label:
      return std::make_shared<TLabelControl>(context);
    case TObjectKind::Check:
      return std::make_shared<TCheckControl>(context);
    case TObjectKind::Track:
      return std::make_shared<TTrackControl>(context);
    case TObjectKind::Anime:
      return std::make_shared<TAnimeControl>(context);
    case TObjectKind::Browser:
      return std::make_shared<TBrowserControl>(context);
    case TObjectKind::Panel:
      return std::make_shared<TPanelControl>(context);
    case TObjectKind::TextEditor:
      return std::make_shared<TTextEditorControl>(context);
    case TObjectKind::Radio:
      return std::make_shared<TRadioControl>(context);
    case TObjectKind::Scroll:
      return std::make_shared<TScrollControl>(context);
    case TObjectKind::TabPage:
      return std::make_shared<TTabPageControl>(context);
    case TObjectKind::Tree:
      return std::make_shared<TTreeControl>(context);
    case TObjectKind::RichEdit:
      return std::make_shared<TMultiLineControl<QTextEdit>>(TObjectKind::RichEdit, context);
    case TObjectKind::Menu:
      break;
  }
  throw EPlainError(std::string(kMsgMenuByCommand));
}

}  // namespace

std::shared_ptr<TObjectControl> TQtGui::CreateControl(const TControlSetup& setup) {
  const bool form = setup.Kind == TObjectKind::Form;
  if (!form && !main_) throw EPlainError(std::string(kMsgNoMainWindow));
  const TPartContext context{form ? nullptr : main_->ClientArea(), setup,
                             std::make_shared<TEventSource>(hook_, setup.Index), main_ ? main_->CanvasFont() : QFont()};
  std::shared_ptr<TQtControl> control = MakePart(context);
  if (!form) {
    QWidget* widget = control->Widget();
    widget->move(setup.Left, setup.Top);
    widget->show();
  }
  return control;
}

std::shared_ptr<TObjectControl> TQtGui::CreateMenuItem(TObjectControl* parent, std::string_view caption,
                                                       std::int32_t index) {
  if (!main_) throw EPlainError(std::string(kMsgNoMainWindow));
  auto* parentMenu = dynamic_cast<TMenuControl*>(parent);
  if (parent != nullptr && (parentMenu == nullptr || parentMenu->Detached()))
    throw EPlainError(std::string(kMsgNoParentMenu));
  return std::make_shared<TMenuControl>(parentMenu != nullptr ? nullptr : main_->MenuBar(), parentMenu,
                                        ToQString(caption), std::make_shared<TEventSource>(hook_, index));
}

std::vector<std::string> TQtGui::FontFamilies() { return InstalledFontFamilies(); }

void TQtGui::SetTrayIcon(bool on) { tray_->SetShown(on, main_); }

}  // namespace yura
