// The suite's routines for whole forms.
#include "suitebase/Formhelpers.h"

#include "platform/classes/IniFiles.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/SystemParams.h"
#include "platform/win/WindowPlacement.h"
#include "suitebase/Regstore.h"

#include <algorithm>
#include <memory>

namespace Dccommon {

bool UseOneFont = true;
TCustomForm* FMainForm = nullptr;
TGetDesignerProc GetDesignerProc;

namespace {

std::string PosPath(const std::string& Name) { return "Forms\\" + Name; }

bool SameText(const std::string& A, const std::string& B) { return AnsiCompareText(A, B) == 0; }

}  // namespace

// ---- Window positions --------------------------------------------------------------------------------------------

void WriteWinPosToReg(TWinControl* Control, const std::string& Name) {
  if (!Control || !Control->HandleAllocated()) {
    return;
  }
  WINDOWPLACEMENT P;
  if (!GetWindowPlacement(Control->Handle(), &P)) {
    return;
  }
  Dorazori::WriteBufToRegistry(PosPath(Name) + "\\WinPos", &P, sizeof P);
  if (auto* Form = dynamic_cast<TCustomForm*>(Control)) {
    Dorazori::WriteToRegistry(PosPath(Name) + "\\WindowState", static_cast<int>(Form->WindowState()));
  }
}

void ReadWinPosFromReg(TWinControl* Control, const std::string& Name) {
  if (!Control) {
    return;
  }
  const std::string Path = PosPath(Name) + "\\WinPos";
  // Only the platform's record is taken: a value of another size, or one whose length field disagrees, is no
  // position.
  if (Dorazori::GetRegBufSize(Path) != static_cast<Integer>(sizeof(WINDOWPLACEMENT))) {
    return;
  }
  WINDOWPLACEMENT P;
  if (Dorazori::ReadBufFromRegistry(Path, &P, sizeof P) != static_cast<Integer>(sizeof P) || P.length != sizeof P) {
    return;
  }
  const TRect& R = P.rcNormalPosition;
  Control->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  if (auto* Form = dynamic_cast<TCustomForm*>(Control)) {
    const Integer State = Dorazori::ReadFromRegistry(PosPath(Name) + "\\WindowState", 0).AsInteger();
    Form->SetWindowState(State == 1 ? wsMinimized : State == 2 ? wsMaximized : wsNormal);
  }
}

void WriteWinPosToIni(TWinControl* Control, const std::string&, const std::string& FileName,
                      const std::string& Section) {
  if (!Control || !Control->HandleAllocated()) {
    return;
  }
  WINDOWPLACEMENT P;
  if (!GetWindowPlacement(Control->Handle(), &P)) {
    return;
  }
  TIniFile Ini(FileName);
  const std::string S = Section + "WinPos";
  const TRect& R = P.rcNormalPosition;
  Ini.WriteInteger(S, "Left", R.Left);
  Ini.WriteInteger(S, "Top", R.Top);
  Ini.WriteInteger(S, "Width", R.Width());
  Ini.WriteInteger(S, "Height", R.Height());
  if (auto* Form = dynamic_cast<TCustomForm*>(Control)) {
    Ini.WriteInteger(S, "WindowState", static_cast<int>(Form->WindowState()));
  }
}

void ReadWinPosFromIni(TWinControl* Control, const std::string&, const std::string& FileName,
                       const std::string& Section) {
  if (!Control) {
    return;
  }
  TIniFile Ini(FileName);
  const std::string S = Section + "WinPos";
  const int Width = Ini.ReadInteger(S, "Width", Control->Width());
  const int Height = Ini.ReadInteger(S, "Height", Control->Height());
  const int Left = Ini.ReadInteger(S, "Left", Control->Left());
  const int Top = Ini.ReadInteger(S, "Top", Control->Top());
  Control->SetBounds(Left, Top, Width, Height);
  if (auto* Form = dynamic_cast<TCustomForm*>(Control)) {
    const int State = Ini.ReadInteger(S, "WindowState", static_cast<int>(Form->WindowState()));
    Form->SetWindowState(State == 1 ? wsMinimized : State == 2 ? wsMaximized : wsNormal);
  }
}

void CalcEditorMinMaxInfo(TMessage& Message, TCustomForm* MainForm, bool Full) {
  auto* Info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  if (!Info) {
    return;
  }
  TRect Work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &Work, 0);
  const int W = Work.Width();
  const int H = Work.Height();
  const int Cx = GetSystemMetrics(SM_CXFRAME);
  const int Cy = GetSystemMetrics(SM_CYFRAME);
  if (MainForm) {
    Info->ptMaxPosition.X = Work.Left - Cx;
    const int B = MainForm->Top() + MainForm->Height();
    if (H - B > MainForm->Top() && !Full) {
      Info->ptMaxPosition.Y = B;
      Info->ptMaxSize.Y = Cy + H - B;
    } else {
      Info->ptMaxPosition.Y = Work.Top - Cy;
      Info->ptMaxSize = TPoint{W + 2 * Cx, H + 2 * Cy};
    }
  }
  Info->ptMinTrackSize = TPoint{320, 240};
  Message.Result = 0;
}

void SetFormFont(TCustomForm* Form) {
  if (UseOneFont && Form && Form->ParentFont() && Application->MainForm()) {
    Form->Font()->Assign(Application->MainForm()->Font());
  }
}

// ---- Finding forms and components --------------------------------------------------------------------------------

int ScreenFormCount() { return Screen->FormCount(); }
TCustomForm* ScreenForms(int Index) { return Screen->Forms(Index); }

TCustomForm* FindFormWithClass(TClass FormClass) {
  for (int I = 0; I < ScreenFormCount(); ++I) {
    if (ScreenForms(I)->InheritsFrom(FormClass)) {
      return ScreenForms(I);
    }
  }
  return nullptr;
}

TCustomForm* FindOrCreateFormWithClass(TClass FormClass, TComponent* Owner) {
  if (TCustomForm* F = FindFormWithClass(FormClass)) {
    return F;
  }
  return dynamic_cast<TCustomForm*>(FormClass->NewInstance(Owner));
}

TComponent* GlobalFindObject(const std::string& Name) {
  const std::size_t Dot = Name.rfind('.');
  const std::string RootName = Dot == std::string::npos ? Name : Name.substr(0, Dot);
  std::string CompName = Dot == std::string::npos ? std::string() : Name.substr(Dot + 1);
  CompName.erase(std::remove(CompName.begin(), CompName.end(), '.'), CompName.end());
  auto Match = [&](TComponent* Root, TComponent*& Result) {
    if (SameText(Root->Name(), Name)) {
      Result = Root;
      return true;
    }
    if (Dot != std::string::npos && SameText(Root->Name(), RootName)) {
      Result = Root->FindComponent(CompName);
      return true;
    }
    return false;
  };
  TComponent* Result = nullptr;
  for (int I = 0; I < ScreenFormCount(); ++I) {
    if (Match(ScreenForms(I), Result)) {
      return Result;
    }
  }
  for (int I = 0; I < DataModuleCount(); ++I) {
    if (Match(DataModules(I), Result)) {
      return Result;
    }
  }
  return nullptr;
}

bool FormIsActive(TCustomForm* Form) {
  if (!Form || !Form->HandleAllocated() || !Form->Visible()) {
    return false;
  }
  for (int I = 0; I < ScreenFormCount(); ++I) {
    TCustomForm* F = ScreenForms(I);
    if (F == Form) {
      return true;
    }
    if (!F->HandleAllocated() || !F->Visible() || F == Application->MainForm() || F == FMainForm ||
        F->Perform(CM_ISSUBFORM, 0, 0) != 0) {
      continue;
    }
    return false;  // an ordinary visible form lies above it
  }
  return false;
}

// ---- Making forms and data modules -------------------------------------------------------------------------------

TCustomForm* CreateFormWithClass(TClass FormClass) {
  if (!FormClass || !FormClass->InheritsFrom(TCustomForm::StaticClass())) {
    FormClass = TCustomForm::StaticClass();
  }
  // The virtual constructor reads the class's layout when it has one; a class without one is made bare.
  return static_cast<TCustomForm*>(FormClass->NewInstance(nullptr));
}

TDataModule* CreateDataModuleWithClass(TClass DataModuleClass) {
  if (!DataModuleClass || !DataModuleClass->InheritsFrom(TDataModule::StaticClass())) {
    DataModuleClass = TDataModule::StaticClass();
  }
  return static_cast<TDataModule*>(DataModuleClass->NewInstance(nullptr));
}

void CallCompOnCreate(TComponent* Component) {
  try {
    if (auto* D = dynamic_cast<TDataModule*>(Component); D && D->OnCreate) {
      D->OnCreate(D);
    } else if (auto* F = dynamic_cast<TCustomForm*>(Component); F && F->OnCreate) {
      F->OnCreate(F);
    }
  } catch (const std::exception& E) {
    Application->HandleException(Component, &E);
  }
}

namespace {
// The designing state is the component's own to change: this opens it to the suite.
class TDesignAccess : public TComponent {
public:
  static void Set(TComponent* C, bool Value) { (C->*(&TDesignAccess::SetDesigning))(Value, true); }
};
}  // namespace

void SetDesign(TComponent* Component, bool Value) {
  if (Component) {
    TDesignAccess::Set(Component, Value);
  }
}

// ---- Owners and designers ----------------------------------------------------------------------------------------

namespace {
// The owner of any persistent object (a component's owner, a collection's, an item's collection).
class TOwnerAccess : public TPersistent {
public:
  static TPersistent* Of(TPersistent* P) { return (P->*(&TOwnerAccess::GetOwner))(); }
};
}  // namespace

TCustomForm* GetPForm(TPersistent* Instance) {
  if (auto* Control = dynamic_cast<TControl*>(Instance)) {
    for (TControl* C = Control; C; C = C->Parent()) {
      if (auto* F = dynamic_cast<TCustomForm*>(C)) {
        return F;
      }
    }
  }
  for (TPersistent* P = Instance; P; P = TOwnerAccess::Of(P)) {
    if (auto* F = dynamic_cast<TCustomForm*>(P)) {
      return F;
    }
  }
  return nullptr;
}

TComponent* GetTopOwner(TPersistent* Instance) {
  for (TPersistent* P = Instance; P; P = TOwnerAccess::Of(P)) {
    if (auto* D = dynamic_cast<TDataModule*>(P)) {
      return D;
    }
  }
  return GetPForm(Instance);
}

void DesignerModified(TPersistent* Instance) {
  IDesignerNotify* Designer = GetDesignerProc ? GetDesignerProc(Instance) : nullptr;
  if (Designer) {
    Designer->Modified();
  }
}

void DesignerSelectComponent(TComponent*) {}

void UpdateEditors(TWinControl* Control) {
  if (!Control) {
    return;
  }
  for (int I = 0; I < Control->ControlCount(); ++I) {
    Control->Controls(I)->Perform(CM_POSTVALUE, 0, 0);
  }
}

// ---- Option forms ------------------------------------------------------------------------------------------------

namespace {
struct TOptionForms {
  std::vector<TOptionFormItem> Items;
  TStringList Captions;
  std::vector<TClass> CaptionClasses;  // the class of each caption
};
std::unique_ptr<TOptionForms>& OptionForms() {
  static std::unique_ptr<TOptionForms> F;
  if (!F) {
    F = std::make_unique<TOptionForms>();
  }
  return F;
}
}  // namespace

void RegisterOptionsFormOrder(TClass FormClass, Integer Order, const std::string& Caption) {
  auto& F = *OptionForms();
  auto At = std::lower_bound(F.Items.begin(), F.Items.end(), Order,
                             [](const TOptionFormItem& I, Integer O) { return I.Order < O; });
  if (At == F.Items.end() || At->Order != Order) {
    F.Items.insert(At, TOptionFormItem{Order, FormClass});
  }  // an item whose order is taken is not kept at all (nothing to leak)
  F.Captions.Add(Caption);
  F.CaptionClasses.push_back(FormClass);
}

void RegisterOptionsForm(TClass FormClass, const std::string& Caption) {
  RegisterOptionsFormOrder(FormClass, -1, Caption);
}

void UnregisterOptionsForm(TClass FormClass) {
  auto& F = *OptionForms();
  const auto It =
      std::find_if(F.Items.begin(), F.Items.end(), [&](const TOptionFormItem& I) { return I.FormClass == FormClass; });
  if (It != F.Items.end()) {
    F.Items.erase(It);
  }
  for (std::size_t I = 0; I < F.CaptionClasses.size(); ++I) {
    if (F.CaptionClasses[I] == FormClass) {
      F.Captions.Delete(static_cast<int>(I));
      F.CaptionClasses.erase(F.CaptionClasses.begin() + static_cast<std::ptrdiff_t>(I));
      break;
    }
  }
}

const std::vector<TOptionFormItem>& OptionFormClasses() { return OptionForms()->Items; }

TClass OptionFormClass(int Index) {
  const auto& Items = OptionFormClasses();
  return Index >= 0 && Index < static_cast<int>(Items.size()) ? Items[static_cast<std::size_t>(Index)].FormClass
                                                              : nullptr;
}

TStrings* OptionFormCaptions() { return &OptionForms()->Captions; }

std::string GetOptionsFormCaption(TClass FormClass) {
  auto& F = *OptionForms();
  for (std::size_t I = 0; I < F.CaptionClasses.size(); ++I) {
    if (F.CaptionClasses[I] == FormClass) {
      return F.Captions.Strings(static_cast<int>(I));
    }
  }
  return {};
}

// ---- Modules -----------------------------------------------------------------------------------------------------

bool CheckFileExt(const std::string& FileName, const std::string& Ext) {
  auto NoDot = [](std::string S) {
    S.erase(std::remove(S.begin(), S.end(), '.'), S.end());
    return S;
  };
  return SameText(NoDot(ExtractFileExt(FileName)), NoDot(Ext));
}

bool FileIsPackage(const std::string& FileName) {
  return CheckFileExt(FileName, "BPL") || CheckFileExt(FileName, "DPL");
}

void GetLoadedPackagesPaths(TStrings* Strings) {
  if (Strings) {
    Strings->Clear();
  }
}

}  // namespace Dccommon
