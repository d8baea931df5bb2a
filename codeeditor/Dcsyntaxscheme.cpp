// TSyntaxScheme: construction, copying, the first format's upgrade, the block-stack list and the stored form.
#include "codeeditor/Dcsyntax.h"

#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/Dialogs.h"
#include "suitebase/Objstreams.h"

#include <array>

namespace Dcsyntax {

TSyntaxScheme::TSyntaxScheme()
    : FSyntaxBlocks(new TSyntaxBlockList()),
      FFontTable(new TFontList()),
      FWhitespace(new TAttrItem(nullptr)),
      FUrl(new TAttrItem(nullptr)) {
  FWhitespace->GlobalAttrID = "Whitespace";
  FWhitespace->SetUseDefFont(false);
  FWhitespace->SetUseDefBack(false);
  FUrl->FontID = 12;
  FUrl->GlobalAttrID = "Url";
  FUrl->SetUseDefFont(false);
  FUrl->SetUseDefBack(false);
  TSyntaxBlock* Root = FSyntaxBlocks->AddItem();
  Root->Name = "Default";
  Root->ID = 0;
  InitBlockStackList();
}

TSyntaxScheme::~TSyntaxScheme() = default;

void TSyntaxScheme::Publish(TMetaClass& Meta) {
  TPublisher<TSyntaxScheme> P(Meta);
  P.Property("Name", &TSyntaxScheme::Name, &TSyntaxScheme::Name);
  P.Property("SyntaxBlocks", &TSyntaxScheme::SyntaxBlocks, &TSyntaxScheme::SetSyntaxBlocks);
  P.Property("FontTable", &TSyntaxScheme::FontTable, &TSyntaxScheme::SetAttrTable);
}

void TSyntaxScheme::ReadSyVer(TReader* Reader) { FSyntaxVersion = Reader->ReadInteger(); }
void TSyntaxScheme::WriteSyVer(TWriter* Writer) { Writer->WriteInteger(FSyntaxVersion); }

void TSyntaxScheme::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      "SyntaxVersion", [this](TReader* R) { ReadSyVer(R); }, [this](TWriter* W) { WriteSyVer(W); }, true);
}

void TSyntaxScheme::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TSyntaxScheme*>(Source);
  if (S == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FSyntaxVersion = S->FSyntaxVersion;
  Name = S->Name;
  FFontTable->Assign(S->FFontTable.get());
  FSyntaxBlocks->Assign(S->FSyntaxBlocks.get());
  SchemeChanged();
}

void TSyntaxScheme::ClearContents() {
  Name.clear();
  FSyntaxVersion = 1;
  FSyntaxBlocks->Clear();
  FFontTable->Clear();
}

void TSyntaxScheme::SchemeChanged() {
  if (OnParserInit) {
    OnParserInit();
  } else {
    InitScheme();
  }
}

Integer TSyntaxScheme::GetUniqueBlockID() const {
  std::array<bool, 256> Used{};
  for (Integer I = 0; I < FSyntaxBlocks->Count(); ++I) {
    const Integer Id = FSyntaxBlocks->GetItem(I)->ID;
    if (Id >= 0 && Id < 256) {
      Used[static_cast<std::size_t>(Id)] = true;
    }
  }
  for (std::size_t Id = 0; Id < Used.size(); ++Id) {
    if (!Used[Id]) {
      return static_cast<Integer>(Id);
    }
  }
  return 0;
}

void TSyntaxScheme::ClearBlockStackList() { FBlockStacks.clear(); }

void TSyntaxScheme::InitBlockStackList() {
  ClearBlockStackList();
  FBlockStacks.push_back(std::make_unique<TBlockInfo>(0, -1, nullptr));
}

void TSyntaxScheme::UpdateSchemeVersion() {
  if (FSyntaxVersion < 2 && FSyntaxBlocks->Count() > 0) {
    // The first format had no block tree: every block hangs from the first one, and the attributes belong to the
    // blocks that use them.
    for (Integer I = 0; I < FSyntaxBlocks->Count(); ++I) {
      if (FSyntaxBlocks->GetItem(I)->ID == -1) {
        FSyntaxBlocks->GetItem(I)->ID = GetUniqueBlockID();
      }
    }
    TSyntaxBlock* First = FSyntaxBlocks->GetItem(0);
    First->ParentID = -1;
    for (Integer I = 1; I < FSyntaxBlocks->Count(); ++I) {
      FSyntaxBlocks->GetItem(I)->ParentID = First->ID;
    }
    for (Integer I = 0; I < FSyntaxBlocks->Count(); ++I) {
      const TSyntaxBlock* Block = FSyntaxBlocks->GetItem(I);
      for (const Integer Id : Block->ReferredFontIDs()) {
        if (TAttrItem* Attr = FFontTable->GetItemByID(Id)) {
          Attr->BlockID = Block->ID;
        }
      }
    }
  }
  FSyntaxVersion = CurrentSyntaxVersion;
}

void TSyntaxScheme::InitScheme() {
  UpdateSchemeVersion();
  InitBlockStackList();
  BuildTables();
  if (OnParserChanged) {
    OnParserChanged();
  }
}

}  // namespace Dcsyntax

// ---- stored form ----

namespace Dcsyntax {

namespace {
// Reads a holder component whose property P is Scheme; property errors (a property the scheme does not have)
// are skipped.
void ReadHolder(TStream* Stream, TSyntaxScheme* Scheme) {
  Vivaridiriz::TPersHolder Holder;
  Holder.SetP(Scheme);
  TReader Reader(Stream, 4096);
  Reader.OnError = [](TReader*, const std::string&, bool& Handled) { Handled = true; };
  (void)Reader.ReadRootComponent(&Holder);  // the holder itself is the root
}

[[noreturn]] void Complain(const std::string& Where) {
  (void)MessageDlg(SCantReadScheme + Where + ".", mtError, TMsgDlgButtons{mbOK}, 0);  // only OK to answer
  throw;
}
}  // namespace

void TSyntaxScheme::ReadFrom(TStream* Stream, bool Text) {
  TSyntaxScheme Fresh;
  Fresh.ClearContents();
  if (Text) {
    TMemoryStream Binary;
    ObjectTextToBinary(Stream, &Binary);
    Binary.SetPosition(0);
    ReadHolder(&Binary, &Fresh);
  } else {
    ReadHolder(Stream, &Fresh);
  }
  // Only a whole scheme replaces the contents: a failure above leaves them as they were.
  ClearContents();
  Assign(&Fresh);
}

void TSyntaxScheme::LoadFromStream(TStream* Stream) {
  const Int64 Start = Stream->Position();
  try {
    ReadFrom(Stream, false);
  } catch (const Exception&) {
    Stream->SetPosition(Start);
    try {
      ReadFrom(Stream, true);
    } catch (const Exception&) {
      Complain("stream");
    }
  }
}

void TSyntaxScheme::SaveToStream(TStream* Stream) { Vivaridiriz::WriteObjToStream(Stream, this); }

void TSyntaxScheme::LoadFromFile(const std::string& FileName) {
  try {
    TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
    ReadFrom(&File, true);
  } catch (const Exception&) {
    Complain("file \"" + FileName + "\"");
  }
}

void TSyntaxScheme::SaveToFile(const std::string& FileName) { Vivaridiriz::WriteObjToTextFile(this, FileName); }

void TSyntaxScheme::LoadFromResource(const std::string& Name) {
  TResourceStream Stream(Name);
  LoadFromStream(&Stream);
}

}  // namespace Dcsyntax
