// The spell-check component: bringing the spell dialog up, placing it and taking it down; the other windows.
#include "spell/Lx3spellbase.h"

#include "platform/controls/Forms.h"
#include "spell/Lx3dialogctrl.h"
#include "spell/Lx3parserbase.h"

namespace {

TRect MonitorRect() { return Rect(0, 0, Screen->Width(), Screen->Height()); }

// Moves the form to (X, Y) pulled inside the monitor on both axes.
void AdjustDialogPosition(TCustomForm* Form, int X, int Y) {
  const TRect M = MonitorRect();
  const int W = Form->Width();
  const int H = Form->Height();
  X = std::max(X, static_cast<int>(M.Left));
  Y = std::max(Y, static_cast<int>(M.Top));
  if (X + W > M.Right) {
    X = M.Right - W;
  }
  if (Y + H > M.Bottom) {
    Y = M.Bottom - H;
  }
  Form->SetBounds(X, Y, W, H);
}

void AdjustDialogToRect(TCustomForm* Form, const TRect& R, bool Horizontal, bool Vertical) {
  const TRect M = MonitorRect();
  int X = Form->Left();
  int Y = Form->Top();
  if (Horizontal) {
    X = R.Left;
    if (X + Form->Width() > M.Right) {
      X = M.Right - Form->Width();
    }
  }
  if (Vertical) {
    Y = R.Bottom;
    if (Y + Form->Height() > M.Bottom) {
      Y = R.Top - Form->Height();
    }
  }
  AdjustDialogPosition(Form, X, Y);
}

bool Overlap(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

}  // namespace

TConfigurationDialogCtrl* TLexiSpell3Base::SetupDialogControl(TCustomForm* Form, TCustomDictionary* Dictionary) {
  if (!Form) {
    return nullptr;
  }
  for (Integer I = 0; I < Form->ComponentCount(); ++I) {
    if (auto* Ctrl = dynamic_cast<TConfigurationDialogCtrl*>(Form->Components(I))) {
      Ctrl->WriteLexiSpell(this);
      Ctrl->WriteCustomDictionary(Dictionary);
      return Ctrl;
    }
  }
  return nullptr;
}

void TLexiSpell3Base::CreateSpellDialog(bool) {}

void TLexiSpell3Base::EnsureUI() {
  if (UIType != suiDialog) {
    return;
  }
  if (!FDialogCtrl) {
    FDeactivated = false;
    if (!FSpellDialog) {
      if (OnCreateSpellDialog) {
        OnCreateSpellDialog(this, FSpellDialog, true);
      } else {
        CreateSpellDialog(true);
      }
    }
    if (FSpellDialog) {
      FDialogCtrl = SetupDialogControl(FSpellDialog, nullptr);
    }
  }
  bool ShowModalNow = false;
  if (!FDialogRunning) {
    FDialogRunning = true;
    FDialogShown = true;
    if (OnSpellDialogShow) {
      OnSpellDialogShow(this);
    }
    SetInitialPosition();
    if (FSpellDialog) {
      FFormOnShow = FSpellDialog->OnShow;
      FFormOnActivate = FSpellDialog->OnActivate;
      FFormOnDeactivate = FSpellDialog->OnDeactivate;
      FSpellDialog->OnShow = [this](TObject* S) { Form_OnShow(S); };
      FSpellDialog->OnActivate = [this](TObject* S) { Form_OnActivate(S); };
      FSpellDialog->OnDeactivate = [this](TObject* S) { Form_OnDeactivate(S); };
      if (DialogShowModal) {
        ShowModalNow = true;
      } else {
        FSpellDialog->Show();
      }
    }
  }
  AvoidSelection();
  if (ShowModalNow && FSpellDialog) {
    FSpellDialog->ShowModal();
  }
}

void TLexiSpell3Base::Form_OnShow(TObject* Sender) {
  if (DialogShowModal && FChecking) {
    if (DialogShowImmediate) {
      ContinueCheck();
    } else {
      DoWordPrompt();
    }
  }
  if (FFormOnShow) {
    FFormOnShow(Sender);
  }
}

void TLexiSpell3Base::Form_OnDeactivate(TObject* Sender) {
  if (!FDeactivated) {
    FDeactivated = true;
    if (OnDialogDeactivate) {
      OnDialogDeactivate(this);
    }
  }
  if (FFormOnDeactivate) {
    FFormOnDeactivate(Sender);
  }
}

void TLexiSpell3Base::Form_OnActivate(TObject* Sender) {
  if (FFormOnActivate) {
    FFormOnActivate(Sender);
  }
  if (FDeactivated) {
    FDeactivated = false;
    if (OnDialogActivate) {
      OnDialogActivate(this);
    }
    Check_ControlEdited();
  }
}

void TLexiSpell3Base::DoWordPrompt() {
  OptimizeMainDictionaryOrder();
  if (FDialogCtrl && FDialogCtrl->OnPromptWord) {
    FDialogCtrl->OnPromptWord(FDialogCtrl, FCurrentWord, FRepeatedWord);
  }
  if (OnPromptWord) {
    OnPromptWord(this, FCurrentWord, FRepeatedWord);
  }
}

void TLexiSpell3Base::ShutdownUI() {
  if (!FSpellDialog) {
    if (FCloseAtEnd) {
      FDialogRunning = false;
    }
    return;
  }
  if (DialogInitialPos == ipLastUserPos) {
    FConfig->WriteDialogX(FSpellDialog->Left());
    FConfig->WriteDialogY(FSpellDialog->Top());
  }
  if (!FCloseAtEnd && !DialogShowModal) {
    return;
  }
  FDialogRunning = false;
  FSpellDialog->OnShow = FFormOnShow;
  FSpellDialog->OnActivate = FFormOnActivate;
  FSpellDialog->OnDeactivate = FFormOnDeactivate;
  FFormOnShow = nullptr;
  FFormOnActivate = nullptr;
  FFormOnDeactivate = nullptr;
  if (FSpellDialog->Modal()) {
    FSpellDialog->ModalResult = mrOk;
  } else {
    FSpellDialog->Hide();
  }
  if (OnSpellDialogHide) {
    OnSpellDialogHide(this);
  }
  FDialogCtrl = nullptr;
  if (OnCreateSpellDialog) {
    OnCreateSpellDialog(this, FSpellDialog, false);
  } else {
    // The released form lives until its pending messages are handled: a check started before then makes a
    // dialog of the same name.
    FSpellDialog->SetName(std::string());
    FSpellDialog->Release();
  }
  FSpellDialog = nullptr;
}

void TLexiSpell3Base::CloseSpellDialog() { ShutdownUI(); }

void TLexiSpell3Base::SetInitialPosition() {
  if (!FSpellDialog) {
    return;
  }
  switch (DialogInitialPos) {
    case ipScreenCenter:
      FSpellDialog->Position = poScreenCenter;
      break;
    case ipUnderSelection:
      if (!DialogShowImmediate) {
        AdjustDialogToSelection();
      }
      break;
    case ipAvoidControl:
      AdjustDialogToControl();
      break;
    case ipUserDefined:
      if (OnPositionDialog) {
        OnPositionDialog(this);
      }
      break;
    case ipLastUserPos:
      if (FConfig->ReadDialogX() == -1) {
        AdjustDialogToControl();
      } else {
        AdjustDialogPosition(FSpellDialog, FConfig->ReadDialogX(), FConfig->ReadDialogY());
      }
      break;
    case ipIgnore:
      break;
    case ipDesktopCenter:
      FSpellDialog->Position = poDesktopCenter;
      break;
  }
}

void TLexiSpell3Base::AdjustDialogToSelection() {
  if (!FSpellDialog || !FParser) {
    return;
  }
  RECT R{};
  FParser->GetSelectionScreenPosition(R);
  AdjustDialogToRect(FSpellDialog, R, true, true);
}

void TLexiSpell3Base::AdjustDialogToControl() {
  if (!FSpellDialog || !FParser) {
    return;
  }
  const TRect M = MonitorRect();
  RECT Raw = Rect(-1, -1, -1, -1);
  FParser->GetControlScreenPosition(Raw);
  TRect C = Raw;
  if (Raw.Left == -1 && Raw.Top == -1 && Raw.Right == -1 && Raw.Bottom == -1) {
    C = M;
  }
  const int W = FSpellDialog->Width();
  const int H = FSpellDialog->Height();
  int X = 0;
  int Y = 0;
  if (C.Bottom + H <= M.Bottom) {
    X = C.Left;
    Y = C.Bottom;
  } else if (C.Right + W <= M.Right) {
    X = C.Right;
    Y = C.Top;
  } else if (C.Top - H >= M.Top) {
    X = C.Left;
    Y = C.Top - H;
  } else if (C.Left - W >= M.Left) {
    X = C.Left - W;
    Y = C.Top;
  } else if (DialogShowImmediate) {
    X = C.Left + (C.Width() - W) / 2;
    Y = C.Top + (C.Height() - H) / 2;
  } else {
    AdjustDialogToSelection();
    X = FSpellDialog->Left();
    Y = FSpellDialog->Top();
  }
  AdjustDialogPosition(FSpellDialog, X, Y);
}

void TLexiSpell3Base::AvoidSelection() {
  if (!FSpellDialog || !FParser || DialogSelectionAvoid == saNone) {
    return;
  }
  RECT Raw{};
  FParser->GetSelectionScreenPosition(Raw);
  const TRect Sel = Raw;
  const bool Covers = Overlap(Sel, FSpellDialog->BoundsRect());
  const bool Horizontal = DialogSelectionAvoid == saAvoid || DialogSelectionAvoid == saMove;
  const bool Always = DialogSelectionAvoid == saMove || DialogSelectionAvoid == saMoveUpDown;
  if (Always || Covers) {
    AdjustDialogToRect(FSpellDialog, Sel, Horizontal, true);
  }
}

// The other windows: the base only fires the events that replace them.

void TLexiSpell3Base::Setup() { InternalSetup(this); }
void TLexiSpell3Base::SetupCustomDictionaries() { InternalSetupCustomDictionaries(this); }
void TLexiSpell3Base::EditCustomDictionary(TCustomDictionary* Dictionary) {
  InternalEditCustomDictionary(this, Dictionary);
}
void TLexiSpell3Base::SetupAddDictionaryDir() { InternalSetupAddDictionaryDir(this); }

void TLexiSpell3Base::InternalSetup(TComponent* AOwner) {
  if (OnShowConfigDialog) {
    OnShowConfigDialog(this, AOwner);
  }
}
void TLexiSpell3Base::InternalSetupCustomDictionaries(TComponent* AOwner) {
  if (OnShowCustomDictionariesDialog) {
    OnShowCustomDictionariesDialog(this, AOwner);
  }
}
void TLexiSpell3Base::InternalEditCustomDictionary(TComponent* AOwner, TCustomDictionary* Dictionary) {
  if (OnShowEditCustomDictionaryDialog) {
    OnShowEditCustomDictionaryDialog(this, AOwner, Dictionary);
  }
}
void TLexiSpell3Base::InternalSetupAddDictionaryDir(TComponent* AOwner) {
  if (OnShowAddDictionaryDir) {
    OnShowAddDictionaryDir(this, AOwner);
  }
}
