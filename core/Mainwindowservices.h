// What the application core asks of the main window: one interface that the main window implements and registers
// while it exists. Later parts of the core add their needs here rather than declaring interfaces of their own.
#pragma once

#include "platform/win/WinTypes.h"

class TComponent;
class inserterclass;

class MainWindowServices {
public:
  virtual ~MainWindowServices() = default;

  // The window that owns the core's message boxes (the application window); 0 when there is none.
  virtual HWND GetApplicationWindow() { return 0; }
  // The state of the open-from-the-web dialog's check box for sending a user name and password: true with
  // Checked filled when the dialog exists, false when it was never created.
  virtual bool GetOpenFromWebCredentialsCheck(bool& Checked) {
    (void)Checked;
    return false;
  }
  // Sets the checked state of the view and option menu items and buttons from the settings.
  virtual void UpdateMenuChecks() {}
  // Saves the positions of the main window's toolbars, inserters included, into "Editor\Interface"; loads them
  // back (after a new toolbar was built, so that it takes its stored place).
  virtual void SaveToolbarPositions() {}
  virtual void LoadToolbarPositions() {}
  // Builds the floating toolbar of an inserter (owned by the main window, docked in its editor menu-bar dock)
  // with its menus, and shows, hides or deletes it. Null when it could not be built.
  virtual TComponent* CreateInserterToolbar(inserterclass* Inserter) {
    (void)Inserter;
    return nullptr;
  }
  virtual void ShowInserterToolbar(TComponent* Toolbar, bool Visible) {
    (void)Toolbar;
    (void)Visible;
  }
  virtual void DeleteInserterToolbar(TComponent* Toolbar) { (void)Toolbar; }
  // Sets and restores the hourglass on the main window around a long step.
  virtual void SetBusyCursor(bool Busy) { (void)Busy; }
};

// Registers the main window's services (null: there is no main window, before start-up created it or after
// shutdown). Without a main window every service does nothing.
void SetMainWindowServices(MainWindowServices* Services);
// The registered services, or a stand-in that does nothing; never null.
MainWindowServices& MainWindow();
// True when a main window registered itself.
bool HasMainWindow();
