// How a shell list and a shell combo box that are linked talk to each other. Each control implements its side,
// so neither needs the other's class; the tree side of such links is TPTShellTreeLink (Uptshelltree.h).
#pragma once

class TComponent;
class TPTShellLocator;
class TPTShellComboLink;

// What a shell list offers a linked combo box.
class TPTShellListLink {
public:
  virtual ~TPTShellListLink() = default;
  // Link or unlink (null) the combo box; called by the combo box only.
  virtual void SetShellCombo(TPTShellComboLink* Combo) = 0;
  // The list's own folder; the combo box assigns it to move the list.
  virtual TPTShellLocator* ListFolder() = 0;
  // Runs a pending refresh now, without passing the call on to other linked controls.
  virtual void SynchronizeFromLink() = 0;
  // The list as a component, for free notification.
  virtual TComponent* LinkComponent() = 0;
};

// What a shell combo box offers a linked shell list.
class TPTShellComboLink {
public:
  virtual ~TPTShellComboLink() = default;
  // Link or unlink (null) the list; called by the list only when the list goes away.
  virtual void ListUnlinked(TPTShellListLink* List) = 0;
  // The combo box's selected folder; the list assigns it to move both.
  virtual TPTShellLocator* ComboSelectedFolder() = 0;
  // Moves the selected folder that many levels up.
  virtual void ComboGoUp(int Levels) = 0;
  // Refills from the selected folder now, without passing the call on to other linked controls.
  virtual void SynchronizeFromLink() = 0;
  virtual TComponent* LinkComponent() = 0;
};
