// Inserters: definitions, items, configuration files and the show, hide and save commands.
#include "core/Inserterclass.h"

#include "core/Filestore.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Strtext.h"

#include <cstdlib>

namespace {

const char RootName[] = "zubtaginserterconfiguration";
const char ClosingRootName[] = "/zubtaginserterconfiguration";

int ToNumber(const StrStore& Text) { return static_cast<int>(std::strtol(Text.text, nullptr, 10)); }

// Reads the attributes of an item line into a new item. INSCFG_OK, or INSCFG_ATTRIBUTE_ERROR (item deleted).
int ReadItem(const StrStore& Line, const char* Cursor, PointerArrayManager* Items) {
  auto* Item = new ticlass();
  StrStore Name;
  StrStore Value;
  for (;;) {
    const int R = Line.getNextAttribute(&Cursor, Name, Value);
    if (R == ATTR_NO_MORE) {
      break;
    }
    if (R < 0) {
      delete Item;
      return INSCFG_ATTRIBUTE_ERROR;
    }
    if (Name.equalsNoCase("caption")) {
      Item->caption = Value;
    } else if (Name.equalsNoCase("menu")) {
      Item->menu = Value;
    } else if (Name.equalsNoCase("inserttext")) {
      Item->insertText = Value;
    } else if (Name.equalsNoCase("hint")) {
      Item->hint = Value;
    } else if (Name.equalsNoCase("flags")) {
      Item->flags.fromInt(ToNumber(Value));
      if (Item->flags.has(TIF::AlsoTwo)) {
        Item->flags.set(TIF::Two, true);
      }
    } else if (Name.equalsNoCase("command")) {
      Item->command = ToNumber(Value);
    }
  }
  Item->Normalize(1);
  if (Items->addPointer(Item) < 0) {
    delete Item;
  }
  return INSCFG_OK;
}

int ReadLines(FileStore& File, PointerArrayManager*& Items) {
  if (Items == nullptr) {
    Items = new PointerArrayManager(FreeInserterItem);
  }
  Items->removeAllPointers(1, 0);
  const int Count = File.getLineCount();
  StrStore Line;
  StrStore Name;
  int I = 0;
  // The root element, on the first line whose first tag it is.
  for (;; ++I) {
    if (I >= Count) {
      return INSCFG_NO_ROOT;
    }
    Line.assign(File.getLineText(I));
    const char* Cursor = Line.text;
    const int R = Line.getNextTagName(&Cursor, Name, 0);
    if (R < 0) {
      return INSCFG_TAG_ERROR;
    }
    if (R == TAG_FOUND && Name.equalsNoCase(RootName)) {
      StrStore AttrName;
      StrStore Value;
      for (;;) {
        const int A = Line.getNextAttribute(&Cursor, AttrName, Value);
        if (A == ATTR_NO_MORE) {
          break;
        }
        if (A < 0) {
          return INSCFG_ATTRIBUTE_ERROR;
        }
        // "version" and any other attribute of the root have no effect.
      }
      break;
    }
  }
  // The items, up to the closing root.
  for (++I;; ++I) {
    if (I >= Count) {
      return INSCFG_NO_CLOSING_ROOT;
    }
    Line.assign(File.getLineText(I));
    const char* Cursor = Line.text;
    const int R = Line.getNextTagName(&Cursor, Name, 0);
    if (R < 0) {
      return INSCFG_TAG_ERROR;
    }
    if (R != TAG_FOUND) {
      continue;  // a comment or a blank line
    }
    if (Name.equalsNoCase(ClosingRootName)) {
      Items->setUnchanged(1);
      return INSCFG_OK;
    }
    if (Name.equalsNoCase("tag")) {
      const int A = ReadItem(Line, Cursor, Items);
      if (A != INSCFG_OK) {
        return A;
      }
    }
  }
}

}  // namespace

// ---- ticlass ---------------------------------------------------------------------------------------------------

int ticlass::Normalize(int Flags) {
  if ((Flags & 1) == 0) {
    return 0;
  }
  const bool Separator = flags.has(TIF::Separator);
  if (Separator) {
    caption.assign("-");
    return 0;
  }
  if (caption.length == 0) {
    StrStore Display;
    if (GetDisplayText(1, Display) != nullptr) {
      caption = Display;
    }
  }
  if (hint.length == 0) {
    hint = caption;
    hint.replaceAll("|", "", 1);
  }
  return 0;
}

StrStore* ticlass::GetDisplayText(int Flags, StrStore& Out) const {
  if ((Flags & 1) == 0) {
    return nullptr;
  }
  if (flags.has(TIF::Separator)) {
    Out.assign("-");
    return &Out;
  }
  Out.clear();
  for (int I = 0; I < insertText.length; ++I) {
    const char C = insertText.text[I];
    if (C != '\t' && C != '\r' && C != '\b') {
      Out.appendChar(C);
    }
  }
  return Out.length > 0 ? &Out : nullptr;
}

// ---- reading the configuration -----------------------------------------------------------------------------------

int LoadInserterConfiguration(PointerArrayManager*& Items, const char* File, int) {
  FileStore Store;
  if (File == nullptr || Store.loadFile(File, "rb") != 1) {
    return INSCFG_CANNOT_READ;
  }
  return ReadLines(Store, Items);
}

int LoadInserterConfigurationText(PointerArrayManager*& Items, const char* Text, int Length, int) {
  FileStore Store;
  Store.buffer.setString(Text != nullptr ? Text : "", Text != nullptr ? Length : 0);
  if (Store.parseWholeFile() != 1) {
    return INSCFG_CANNOT_READ;
  }
  return ReadLines(Store, Items);
}

// ---- inserters ---------------------------------------------------------------------------------------------------

inserterclass* FindInserter(PointerArrayManager* Array, TFlagBit<InterfaceFlags2V45Tag> Kind, int Flags) {
  if (Array == nullptr || (Flags & 1) == 0) {
    return nullptr;
  }
  for (int I = 0; I < Array->getCount(); ++I) {
    auto* Inserter = static_cast<inserterclass*>(Array->getPointer(I));
    if (Inserter != nullptr && Inserter->kind.mask == Kind.mask) {
      return Inserter;
    }
  }
  return nullptr;
}

int UpdateInserters(PointerArrayManager* Array, int Commands) {
  if (Array == nullptr) {
    return 0;
  }
  if ((Commands & INSERTERS_RESOLVE_FILES) != 0) {
    const StrStore& Folder = prg != nullptr ? prg->volatileState->programFolder : StrStore();
    for (int I = 0; I < Array->getCount(); ++I) {
      auto* Inserter = static_cast<inserterclass*>(Array->getPointer(I));
      if (Inserter != nullptr && (Inserter->configFile.length == 0 || Inserter->configFile.notEqual("\\") == 0 ||
                                  Inserter->configFile.notEqual("/") == 0)) {
        Inserter->configFile = Folder;
        Inserter->configFile.appendChar(StrText::FileSeparator).appendStore(Inserter->defaultFile);
      }
    }
  }
  if ((Commands & INSERTERS_SAVE) != 0) {
    MainWindow().SaveToolbarPositions();
    return 0;
  }
  for (int I = 0; I < Array->getCount(); ++I) {
    auto* Inserter = static_cast<inserterclass*>(Array->getPointer(I));
    if (Inserter == nullptr) {
      continue;
    }
    if ((Commands & INSERTERS_SHOW) != 0) {
      (void)Inserter->UpdateToolbar(INSERTER_TOOLBAR_SHOW);  // a failure was reported, or there is no main form
    }
    if ((Commands & INSERTERS_HIDE) != 0) {
      (void)Inserter->UpdateToolbar(INSERTERS_HIDE);  // always 0
    }
  }
  return 0;
}

void AddDefaultInserters(PointerArrayManager* Array) {
  struct TDefault {
    const char* RegistryName;
    const char* Caption;
    const char* MenuName;
    TFlagBit<InterfaceFlags2V45Tag> Kind;
    int Top, Left, Width;
    const char* File;
  };
  static const TDefault Defaults[] = {
      {"TagInserter", "Tag Inserter", "TagInserterMenu", IF2::TagInserter, 100, 10, 300, "taginsertercfg.txt"},
      {"CSSInserter", "CSS Inserter", "CSSInserterMenu", IF2::CSSInserter, 150, 20, 300, "cssinsertercfg.txt"},
      {"UserInserter", "User Inserter", "UserInserterMenu", IF2::UserInserter, 200, 30, 300, "userinsertercfg.txt"},
  };
  if (Array == nullptr) {
    return;
  }
  for (const TDefault& D : Defaults) {
    auto* Inserter = new inserterclass();
    Inserter->registryName.assign(D.RegistryName);
    Inserter->caption.assign(D.Caption);
    Inserter->menuName.assign(D.MenuName);
    Inserter->kind = D.Kind;
    Inserter->top = D.Top;
    Inserter->left = D.Left;
    Inserter->width = D.Width;
    Inserter->defaultFile.assign(D.File);
    Inserter->array = Array;
    if (Array->addPointer(Inserter) < 0) {
      delete Inserter;  // a half-built inserter goes; the program runs without it
    }
  }
}

int FreeInserterItem(void* Element) {
  delete static_cast<ticlass*>(Element);
  return 1;
}

int FreeInserter(void* Element) {
  delete static_cast<inserterclass*>(Element);
  return 1;
}
