// Code templates: choosing them by prefix, their completion entries, and their file form (the text form of the
// component stream of a holder whose property P is the collection).
#include "editor/Easyeditobjects.h"

#include "editor/Easyclasses.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/SysUtils.h"

#include <cstdint>

Z_IMPLEMENT_CLASS_PUBLISHED(TEasyHolder, TComponent, TEasyHolder::Publish)

void TEasyHolder::Publish(TMetaClass& Meta) {
  TPublisher<TEasyHolder> P(Meta);
  P.Property("P", &TEasyHolder::P, &TEasyHolder::SetP);
}

namespace {
void RegisterHolder() {
  static const bool Done = [] {
    RegisterClass(TEasyHolder::StaticClass());
    return true;
  }();
  (void)Done;
}
}  // namespace

void WritePersistentToStream(TStream* Stream, TPersistent* Object) {
  RegisterHolder();
  if (auto* C = dynamic_cast<TComponent*>(Object)) {
    Stream->WriteComponent(C);
    return;
  }
  std::unique_ptr<TEasyHolder> Holder(new TEasyHolder(nullptr));
  Holder->SetP(Object);
  Stream->WriteComponent(Holder.get());
}

void ReadPersistentFromStream(TStream* Stream, TPersistent* Object) {
  RegisterHolder();
  if (auto* C = dynamic_cast<TComponent*>(Object)) {
    Stream->ReadComponent(C);
    return;
  }
  std::unique_ptr<TEasyHolder> Holder(new TEasyHolder(nullptr));
  Holder->SetP(Object);
  Stream->ReadComponent(Holder.get());
}

namespace {
bool StartsWithText(const std::string& Name, const std::string& UpperPrefix) {
  return Name.size() >= UpperPrefix.size() && AnsiUpperCase(Name.substr(0, UpperPrefix.size())) == UpperPrefix;
}
}  // namespace

void TEasyCodeTemplates::ApplyFilter(std::vector<TEasyCodeTemplate*>& List, const std::string& Prefix,
                                     bool& Exact) const {
  List.clear();
  Exact = false;
  const std::string Upper = AnsiUpperCase(Prefix);
  bool Filtered = false;
  if (!Prefix.empty()) {
    for (int I = 0; I < Count(); ++I) {
      TEasyCodeTemplate* T = Template(I);
      if (StartsWithText(T->Name, Upper)) {
        if (T->Name.size() == Prefix.size()) {
          List.push_back(T);
          Exact = true;
          return;
        }
        Filtered = true;
        break;
      }
    }
  }
  for (int I = 0; I < Count(); ++I) {
    TEasyCodeTemplate* T = Template(I);
    if (!Filtered || StartsWithText(T->Name, Upper)) {
      List.push_back(T);
    }
  }
}

std::string TEasyCodeTemplates::TemplateToString(const TEasyCodeTemplate* Template) {
  return Template->Desc + "|{\\b " + Template->Name + "}";
}

int TEasyCodeTemplates::TemplateToStrings(TStrings* Strings, const std::string& Prefix) const {
  Strings->Clear();
  std::vector<TEasyCodeTemplate*> List;
  bool Exact = false;
  ApplyFilter(List, Prefix, Exact);
  if (Exact) {
    Strings->AddObject(TemplateToString(List.front()),
                       reinterpret_cast<TObject*>(static_cast<std::intptr_t>(List.front()->Index())));
    return 0;
  }
  for (TEasyCodeTemplate* T : List) {
    Strings->AddObject(TemplateToString(T), reinterpret_cast<TObject*>(static_cast<std::intptr_t>(T->Index())));
  }
  return -1;
}

void TEasyCodeTemplates::SaveToStream(TStream* Stream) {
  TMemoryStream Binary;
  WritePersistentToStream(&Binary, this);
  Binary.SetPosition(0);
  ObjectBinaryToText(&Binary, Stream);
}

void TEasyCodeTemplates::LoadFromStream(TStream* Stream) {
  TMemoryStream Binary;
  ObjectTextToBinary(Stream, &Binary);
  Binary.SetPosition(0);
  ReadPersistentFromStream(&Binary, this);
}

void TEasyCodeTemplates::SaveToFile(const std::string& FileName) {
  TFileStream F(FileName, fmCreate);
  SaveToStream(&F);
}

void TEasyCodeTemplates::LoadFromFile(const std::string& FileName) {
  TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&F);
}
