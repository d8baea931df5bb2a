// The program's own file dialogs as components: TPTDialog (the base of the open, save and folder-browse dialogs:
// re-entry guard, window size and state, the state stream and its registry form), TPTFileDlg with its open and save
// kinds, which build a TPTFrmOpenDlg window on Execute and return the chosen file names.
#pragma once

#include "platform/classes/Component.h"
#include "platform/classes/StringList.h"
#include "platform/controls/Forms.h"
#include "platform/win/WinReg.h"
#include "shell/Uptshelllist.h"
#include "shell/Uptshelltree.h"
#include "shell/Upttypednames.h"

#include <memory>
#include <string>

class TStream;
class TPTFrmOpenDlg;

// The base of the dialog components. Execute runs DoExecute once at a time; the window's size and state are kept
// between runs and can be saved as a small state stream.
class TPTDialog : public TComponent {
  Z_CLASS(TPTDialog, TComponent)
public:
  explicit TPTDialog(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  // Runs the dialog modally; true when the user accepted. A call while this component runs raises
  // EInvalidOperation "<class name> already executing".
  bool Execute();
  bool Executing() const { return FExecuting; }

  std::string Title;
  int FormWidth = -1;  // -1: the layout's size
  int FormHeight = -1;
  TWindowState FormWindowState = wsNormal;
  TNotifyEvent OnInitialized;
  TNotifyEvent OnFormShow;
  TNotifyEvent OnFormClose;

  // The state stream (little-endian): FormWidth (int32), FormHeight (int32), FormWindowState (1 byte), then what
  // descendants add. Reading checks everything before it changes anything: a short stream or a window state out
  // of range raises EReadError and leaves the dialog as it was.
  virtual void ReadStateFromStream(TStream* Stream);
  virtual void WriteStateToStream(TStream* Stream);
  // The state stream as a binary registry value. Reading opens the key without creating it and reads at most 128
  // bytes; false when the key or value is missing or the value is longer (nothing changes then); a malformed
  // value raises as ReadStateFromStream does. Writing creates the key when needed.
  bool ReadStateFromRegistry(HKEY RootKey, const std::string& KeyPath, const std::string& ValueName);
  void WriteStateToRegistry(HKEY RootKey, const std::string& KeyPath, const std::string& ValueName);

protected:
  virtual void DoInitialized();
  virtual bool DoExecute() = 0;
  // Runs a dialog window under the busy cursor: Create makes it (Form holds it meanwhile), Init fills it,
  // OnInitialized fires, the window runs modally under the normal cursor and Save copies its results back; the
  // window is freed and Form emptied however it ends. True when it closed with OK.
  template <class TWindow, class TCreate, class TInit, class TSave>
  bool RunDialogWindow(TWindow*& Form, TCreate Create, TInit Init, TSave Save) {
    TPTBusyCursor Busy;
    struct TFree {
      TWindow*& F;
      ~TFree() {
        delete F;
        F = nullptr;
      }
    } Free{Form};
    Form = Create();
    Init(Form);
    DoInitialized();
    bool Accepted = false;
    {
      const TCursor Saved = Screen->Cursor();
      Screen->SetCursor(crDefault);
      struct TRestore {
        TCursor C;
        ~TRestore() { Screen->SetCursor(C); }
      } Restore{Saved};
      Accepted = Form->ShowModal() == mrOk;
    }
    Save(Form);
    return Accepted;
  }
  // Reads and checks the base's part of the state stream; descendants read theirs after it and then call
  // ApplyBaseState with the values, so that nothing is applied unless everything was read.
  struct TBaseState {
    int Width = -1;
    int Height = -1;
    TWindowState State = wsNormal;
  };
  TBaseState ReadBaseState(TStream* Stream);
  void ApplyBaseState(const TBaseState& State);
  // The stream's little-endian fields; reading past the end raises EReadError.
  static int ReadStateInt32(TStream* Stream);
  static unsigned char ReadStateByte(TStream* Stream);
  static void WriteStateInt32(TStream* Stream, int Value);

private:
  bool FExecuting = false;
};

// The open and save dialogs' common part.
class TPTFileDlg : public TPTDialog {
  Z_CLASS(TPTFileDlg, TPTDialog)
public:
  explicit TPTFileDlg(TComponent* AOwner);
  ~TPTFileDlg() override;
  static void Publish(TMetaClass& Meta);

  TPTOpenOptions Options() const { return FOptions; }
  void SetOptions(TPTOpenOptions Value);
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& Value);
  // 1-based.
  int GetFilterIndex();
  void SetFilterIndex(int Value);
  int GetFormSplitterPos();
  void SetFormSplitterPos(int Value);
  // While the window exists, its name box (or its first selected file); else the first of Files.
  std::string GetFilename();
  void SetFilename(const std::string& Name);
  TStrings* HistoryList() const { return FHistoryList.get(); }
  void SetHistoryList(TStrings* Value);
  // The chosen full path names.
  TStrings* Files() const { return FFiles.get(); }
  // The window while executing, else null.
  TPTFrmOpenDlg* Form() const { return FForm; }

  std::string InitialDir;
  std::string DefaultExt;  // without the dot
  int HelpContext = 0;

  const TPTShAddItemEvent& OnAddListItem() const { return FOnAddListItem; }
  void SetOnAddListItem(TPTShAddItemEvent Value);
  const TPTShAddItemEvent& OnAddTreeItem() const { return FOnAddTreeItem; }
  void SetOnAddTreeItem(TPTShAddItemEvent Value);
  const TPTShAddItemEvent& OnAddComboItem() const { return FOnAddComboItem; }
  void SetOnAddComboItem(TPTShAddItemEvent Value) { FOnAddComboItem = std::move(Value); }
  TPTShLvCustomDrawEvent OnLvCustomDrawSh;
  TPTShLvCustomDrawEvent OnLvCustomDrawShEx;
  TPTShTvCustomDrawEvent OnTvCustomDrawSh;
  TPTShTvCustomDrawEvent OnTvCustomDrawShEx;
  TNotifyEvent OnHelp;
  TNotifyEvent OnFolderChanged;
  TNotifyEvent OnSelectionChanged;
  TNotifyEvent OnTypeChanged;

  // Adds the tree byte (1 with ptofShowTree) and FormSplitterPos (int32): 14 bytes in all.
  void ReadStateFromStream(TStream* Stream) override;
  void WriteStateToStream(TStream* Stream) override;

protected:
  bool DoExecute() override;
  virtual TPTFrmOpenDlg* CreateForm();
  virtual void InitForm(TPTFrmOpenDlg* Form);
  virtual void SaveFormSettings(TPTFrmOpenDlg* Form);

private:
  TPTOpenOptions FOptions;
  std::string FFilter;
  int FFilterIndex = 1;
  int FFormSplitterPos = -1;
  std::unique_ptr<TStringList> FHistoryList;
  std::unique_ptr<TStringList> FFiles;
  TPTFrmOpenDlg* FForm = nullptr;
  TPTShAddItemEvent FOnAddListItem;
  TPTShAddItemEvent FOnAddTreeItem;
  TPTShAddItemEvent FOnAddComboItem;
};

// The options of a new open or save dialog (value 3833872).
TPTOpenOptions PTFileDlgDefaultOptions();

class TPTCustomOpenDlg : public TPTFileDlg {
  Z_CLASS(TPTCustomOpenDlg, TPTFileDlg)
public:
  explicit TPTCustomOpenDlg(TComponent* AOwner);

protected:
  void InitForm(TPTFrmOpenDlg* Form) override;
};

class TPTCustomSaveDlg : public TPTFileDlg {
  Z_CLASS(TPTCustomSaveDlg, TPTFileDlg)
public:
  explicit TPTCustomSaveDlg(TComponent* AOwner);

protected:
  void InitForm(TPTFrmOpenDlg* Form) override;
};

class TPTOpenDlg : public TPTCustomOpenDlg {
  Z_CLASS(TPTOpenDlg, TPTCustomOpenDlg)
public:
  using TPTCustomOpenDlg::TPTCustomOpenDlg;
};

class TPTSaveDlg : public TPTCustomSaveDlg {
  Z_CLASS(TPTSaveDlg, TPTCustomSaveDlg)
public:
  using TPTCustomSaveDlg::TPTCustomSaveDlg;
};
