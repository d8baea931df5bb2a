// The position store: each dockable window's dock, row, place, floating position and visibility by name.
#include "toolbars/Tb2dockpositions.h"

#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int Revision = 2000;
const char* const NamelessWindow = "Cannot save dockable window's position because Name property is not set";
const char* const NamelessDock = "Cannot save dockable window's position because DockedTo's Name property not set";

TTBDock* FindDock(TComponent* Owner, const std::string& Name) {
  for (int I = 0; I < Owner->ComponentCount(); ++I) {
    if (auto* D = dynamic_cast<TTBDock*>(Owner->Components(I)); D && CompareText(D->Name(), Name) == 0) {
      return D;
    }
  }
  return nullptr;
}

// Stored numbers come from outside: they are kept to what coordinates can hold, so that no sum of them overflows.
int Coordinate(int V) { return std::clamp(V, -32768, 32767); }

// The registry store opens its key below the current user's root; another root opens it there instead.
void OpenUnderRoot(TRegIniFile& Ini, HKEY RootKey, const std::string& BaseRegistryKey) {
  if (RootKey != HKEY_CURRENT_USER) {
    Ini.CloseKey();
    Ini.SetRootKey(RootKey);
    Ini.OpenKey(BaseRegistryKey, true);
  }
}

struct TIniReadWriteData {
  TCustomIniFile* IniFile;
  std::string SectionNamePrefix;
};

}  // namespace

void TBCustomSavePositions(TComponent* OwnerComponent, const TTBPositionWriteIntProc& WriteIntProc,
                           const TTBPositionWriteStringProc& WriteStringProc, void* ExtraData) {
  for (int I = 0; I < OwnerComponent->ComponentCount(); ++I) {
    auto* W = dynamic_cast<TTBCustomDockableWindow*>(OwnerComponent->Components(I));
    if (!W) {
      continue;
    }
    const std::string& Name = W->Name();
    if (Name.empty()) {
      throw Exception(NamelessWindow);
    }
    std::string DockedTo;
    if (W->Floating()) {
      DockedTo = "+";
    } else if (!W->Docked()) {
      continue;  // on its form: its place is the form's
    } else if (W->CurrentDock()->AllowDrag()) {
      DockedTo = W->CurrentDock()->Name();
      if (DockedTo.empty()) {
        throw Exception(NamelessDock);
      }
    }
    WriteIntProc(Name, "Rev", Revision, ExtraData);
    WriteIntProc(Name, "Visible", W->Visible() ? 1 : 0, ExtraData);
    WriteStringProc(Name, "DockedTo", DockedTo, ExtraData);
    WriteStringProc(Name, "LastDock", W->LastDock() ? W->LastDock()->Name() : std::string(), ExtraData);
    WriteIntProc(Name, "DockRow", W->DockRow(), ExtraData);
    WriteIntProc(Name, "DockPos", W->DockPos(), ExtraData);
    WriteIntProc(Name, "FloatLeft", W->FloatingPosition().X, ExtraData);
    WriteIntProc(Name, "FloatTop", W->FloatingPosition().Y, ExtraData);
    W->WritePositionData(TTBWritePositionData{WriteIntProc, WriteStringProc, ExtraData});
  }
}

void TBCustomLoadPositions(TComponent* OwnerComponent, const TTBPositionReadIntProc& ReadIntProc,
                           const TTBPositionReadStringProc& ReadStringProc, void* ExtraData) {
  std::vector<TTBDock*> Docks;
  struct TResume {
    std::vector<TTBDock*>& Docks;
    ~TResume() {
      for (auto It = Docks.rbegin(); It != Docks.rend(); ++It) {
        (*It)->EndUpdate();
      }
    }
  } Resume{Docks};
  for (int I = 0; I < OwnerComponent->ComponentCount(); ++I) {
    if (auto* D = dynamic_cast<TTBDock*>(OwnerComponent->Components(I))) {
      D->BeginUpdate();
      Docks.push_back(D);
    }
  }
  const TTBReadPositionData Data{ReadIntProc, ReadStringProc, ExtraData};
  for (int I = 0; I < OwnerComponent->ComponentCount(); ++I) {
    auto* W = dynamic_cast<TTBCustomDockableWindow*>(OwnerComponent->Components(I));
    if (!W) {
      continue;
    }
    const std::string& Name = W->Name();
    if (Name.empty()) {
      throw Exception(NamelessWindow);
    }
    if (ReadIntProc(Name, "Rev", 0, ExtraData) != Revision) {
      continue;
    }
    W->SetVisible(ReadIntProc(Name, "Visible", W->Visible() ? 1 : 0, ExtraData) != 0);
    const std::string DockedTo = ReadStringProc(Name, "DockedTo", "", ExtraData);
    if (DockedTo.empty()) {
      continue;
    }
    TTBDock* Dock = nullptr;
    if (DockedTo != "+") {
      Dock = FindDock(OwnerComponent, DockedTo);
      if (!Dock || !Dock->AllowDrag()) {
        continue;
      }
    }
    W->SetDockRow(std::clamp(ReadIntProc(Name, "DockRow", W->DockRow(), ExtraData), 0, 32767));
    W->SetDockPos(Coordinate(ReadIntProc(Name, "DockPos", W->DockPos(), ExtraData)));
    const TPoint Float = Point(Coordinate(ReadIntProc(Name, "FloatLeft", 0, ExtraData)),
                               Coordinate(ReadIntProc(Name, "FloatTop", 0, ExtraData)));
    W->ReadPositionData(Data);
    W->SetFloatingPosition(Float);
    if (Dock) {
      W->SetParent(Dock);
    } else {
      W->SetFloating(true);
      W->MoveOnScreen(true);
      if (W->UseLastDock()) {
        if (TTBDock* Last = FindDock(OwnerComponent, ReadStringProc(Name, "LastDock", "", ExtraData))) {
          W->SetLastDock(Last);
        }
      }
    }
    W->Arrange();
    W->DoneReadingPositionData(Data);
  }
}

void TBRegSavePositions(TComponent* OwnerComponent, HKEY RootKey, const std::string& BaseRegistryKey) {
  TRegIniFile Ini(BaseRegistryKey);
  OpenUnderRoot(Ini, RootKey, BaseRegistryKey);
  TBCustomSavePositions(
      OwnerComponent,
      [&Ini](const std::string& Section, const std::string& Value, int Data, void*) {
        Ini.WriteInteger(Section, Value, Data);
      },
      [&Ini](const std::string& Section, const std::string& Value, const std::string& Data, void*) {
        Ini.WriteString(Section, Value, Data);
      },
      nullptr);
}

void TBRegLoadPositions(TComponent* OwnerComponent, HKEY RootKey, const std::string& BaseRegistryKey) {
  TRegIniFile Ini(BaseRegistryKey);
  OpenUnderRoot(Ini, RootKey, BaseRegistryKey);
  TBCustomLoadPositions(
      OwnerComponent,
      [&Ini](const std::string& Section, const std::string& Value, int Default, void*) {
        return static_cast<int>(Ini.ReadInteger(Section, Value, Default));
      },
      [&Ini](const std::string& Section, const std::string& Value, const std::string& Default, void*) {
        return Ini.ReadString(Section, Value, Default);
      },
      nullptr);
}

void TBIniSavePositions(TComponent* OwnerComponent, const std::string& IniFilename,
                        const std::string& SectionNamePrefix) {
  TIniFile Ini(IniFilename);
  TIniReadWriteData Data{&Ini, SectionNamePrefix};
  TBCustomSavePositions(
      OwnerComponent,
      [](const std::string& Section, const std::string& Value, int V, void* Extra) {
        auto* D = static_cast<TIniReadWriteData*>(Extra);
        D->IniFile->WriteInteger(D->SectionNamePrefix + Section, Value, V);
      },
      [](const std::string& Section, const std::string& Value, const std::string& V, void* Extra) {
        auto* D = static_cast<TIniReadWriteData*>(Extra);
        D->IniFile->WriteString(D->SectionNamePrefix + Section, Value, V);
      },
      &Data);
  Ini.UpdateFile();
}

void TBIniLoadPositions(TComponent* OwnerComponent, const std::string& IniFilename,
                        const std::string& SectionNamePrefix) {
  TIniFile Ini(IniFilename);
  TIniReadWriteData Data{&Ini, SectionNamePrefix};
  TBCustomLoadPositions(
      OwnerComponent,
      [](const std::string& Section, const std::string& Value, int Default, void* Extra) {
        auto* D = static_cast<TIniReadWriteData*>(Extra);
        return static_cast<int>(D->IniFile->ReadInteger(D->SectionNamePrefix + Section, Value, Default));
      },
      [](const std::string& Section, const std::string& Value, const std::string& Default, void* Extra) {
        auto* D = static_cast<TIniReadWriteData*>(Extra);
        return D->IniFile->ReadString(D->SectionNamePrefix + Section, Value, Default);
      },
      &Data);
}
