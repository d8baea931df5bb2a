// OLE drag and drop: the modal drag loop between two forms, drop-target registration, drags coming in from the
// desktop, dropped-files blocks built by a program, and the layer's data object.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/Ole.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string Pt(POINTL P) { return std::to_string(P.x) + "," + std::to_string(P.y); }

// A drop target that logs its calls ("<name>:enter keys pt in->out") and answers with Answer(effect in).
class TLogTarget final : public IDropTarget {
public:
  TLogTarget(std::string AName, std::vector<std::string>& ALog) : Name(std::move(AName)), Log(ALog) {}
  HRESULT QueryInterface(REFIID Riid, void** Object) override {
    if (Riid == IID_IUnknown || Riid == IID_IDropTarget) {
      *Object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return static_cast<ULONG>(++Refs); }
  ULONG Release() override { return static_cast<ULONG>(--Refs); }
  HRESULT DragEnter(IDataObject* Data, DWORD Keys, POINTL P, DWORD* Effect) override {
    Entered = Data;
    if (Data) {
      Data->AddRef();  // kept until leave or drop, as a shell target keeps it
    }
    return Reply("enter", Keys, P, Effect);
  }
  HRESULT DragOver(DWORD Keys, POINTL P, DWORD* Effect) override {
    ++Overs;
    std::string Line = Name + ":over " + std::to_string(Keys) + " " + Pt(P);
    DWORD In = *Effect;
    *Effect = Answer(In);
    Line += " " + std::to_string(In) + "->" + std::to_string(*Effect);
    if (Log.empty() || Log.back() != Line) {  // the loop's ticks repeat an unchanged answer
      Log.push_back(Line);
    }
    return S_OK;
  }
  HRESULT DragLeave() override {
    Log.push_back(Name + ":leave");
    ReleaseEntered();
    return S_OK;
  }
  HRESULT Drop(IDataObject* Data, DWORD Keys, POINTL P, DWORD* Effect) override {
    HRESULT Hr = Reply("drop", Keys, P, Effect);
    if (OnDrop) {
      OnDrop(Data);
    }
    ReleaseEntered();
    return Hr;
  }

  std::string Name;
  std::vector<std::string>& Log;
  std::function<DWORD(DWORD)> Answer = [](DWORD In) { return In; };
  std::function<void(IDataObject*)> OnDrop;
  int Refs = 1;
  int Overs = 0;
  IDataObject* Entered = nullptr;

private:
  HRESULT Reply(const char* What, DWORD Keys, POINTL P, DWORD* Effect) {
    DWORD In = *Effect;
    *Effect = Answer(In);
    Log.push_back(Name + ":" + What + " " + std::to_string(Keys) + " " + Pt(P) + " " + std::to_string(In) + "->" +
                  std::to_string(*Effect));
    return S_OK;
  }
  void ReleaseEntered() {
    if (Entered) {
      Entered->Release();
      Entered = nullptr;
    }
  }
};

// A drop source with the usual rule (Escape cancels, a released left button drops) that first runs the next
// step of a script: the script feeds input as a user would while the loop runs.
class TScriptSource final : public IDropSource {
public:
  HRESULT QueryInterface(REFIID, void** Object) override {
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return static_cast<ULONG>(++Refs); }
  ULONG Release() override { return static_cast<ULONG>(--Refs); }
  HRESULT QueryContinueDrag(BOOL Escape, DWORD Keys) override {
    if (Calls < Script.size()) {
      Script[Calls]();
    }
    ++Calls;
    if (Escape) {
      return DRAGDROP_S_CANCEL;
    }
    if (Calls > 200) {
      return DRAGDROP_S_CANCEL;  // a script that never ends the drag must not hang the test
    }
    return (Keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT GiveFeedback(DWORD Effect) override {
    Feedback.push_back(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  std::vector<std::function<void()>> Script;
  std::vector<DWORD> Feedback;
  std::size_t Calls = 0;
  int Refs = 1;
};

TMemoryDataObject* FilesAndText(const std::vector<std::string>& Files, const std::string& Text) {
  return new TMemoryDataObject({CF_HDROP, CF_TEXT}, [=](UINT Format, std::string& Bytes) {
    if (Format == CF_TEXT) {
      Bytes = Text + '\0';
      return true;
    }
    HGLOBAL Block = CreateDropFilesBlock(Files);
    Bytes.assign(static_cast<const char*>(GlobalLock(Block)), GlobalSize(Block));
    GlobalUnlock(Block);
    GlobalFree(Block);
    return true;
  });
}

std::vector<std::string> FilesOf(HDROP Drop) {
  std::vector<std::string> Files;
  UINT Count = DragQueryFile(Drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT I = 0; I < Count; ++I) {
    std::string Name(DragQueryFile(Drop, I, nullptr, 0), '\0');
    DragQueryFile(Drop, I, Name.data(), static_cast<UINT>(Name.size() + 1));
    Files.push_back(Name);
  }
  return Files;
}

class OleDragDrop : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    OleInitialize(nullptr);
    FormA = MakeForm(20, 20, PanelA);
    FormB = MakeForm(300, 20, PanelB);
  }
  void TearDown() override {
    delete FormA;
    delete FormB;
    Harness::RunUntilIdle();
    OleUninitialize();
  }
  static TForm* MakeForm(int X, int Y, TPanel*& Panel) {
    auto* Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(X, Y, 240, 160);
    Panel = new TPanel(Form);
    Panel->AfterConstruction();
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 100, 80);
    Form->Show();
    Harness::RunUntilIdle();
    return Form;
  }
  static std::string Screen(TWinControl* C, TPoint P) {
    ClientToScreen(C->Handle(), &P);
    return std::to_string(P.X) + "," + std::to_string(P.Y);
  }
  // Presses the left button on a point of the source panel, as a drag begins.
  void PressOn(TWinControl* C, TPoint P) {
    Harness::MouseMove(C->Handle(), P);
    Harness::MouseDown(C->Handle(), P);
    Harness::RunUntilIdle();
  }

  TForm* FormA = nullptr;
  TForm* FormB = nullptr;
  TPanel* PanelA = nullptr;
  TPanel* PanelB = nullptr;
  std::vector<std::string> Log;
};

TEST_F(OleDragDrop, ADragFromOneFormToAnotherCallsTheTargetsInOrderWithKeysPointsAndLimitedEffects) {
  TLogTarget A("A", Log), B("B", Log);
  ASSERT_EQ(RegisterDragDrop(PanelA->Handle(), &A), S_OK);
  // Only form B is registered: its panel's drags go to the nearest registered ancestor.
  ASSERT_EQ(RegisterDragDrop(FormB->Handle(), &B), S_OK);
  B.Answer = [](DWORD) { return DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK; };
  std::string Seen;
  B.OnDrop = [&](IDataObject* Data) {
    std::string Text;
    ASSERT_TRUE(OleReadFormat(Data, CF_TEXT, Text));
    Seen = Text.c_str();
  };
  TMemoryDataObject* Data = FilesAndText({"/tmp/a.html"}, "dragged");
  TScriptSource Source;
  const Harness::TMods Ctrl{false, true, false};
  Source.Script = {
      [&] { Harness::MouseMove(PanelB->Handle(), Point(5, 5)); },
      [&] { Harness::KeyDown(VK_CONTROL); },
      [&] { Harness::MouseMove(PanelB->Handle(), Point(20, 15), Ctrl); },
      [&] { Harness::MouseUp(PanelB->Handle(), Point(20, 15), Harness::TButton::Left, Ctrl); },
  };
  PressOn(PanelA, Point(10, 10));
  DWORD Effect = 99;
  HRESULT Hr = DoDragDrop(Data, &Source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &Effect);
  Harness::KeyUp(VK_CONTROL);
  Harness::RunUntilIdle();

  EXPECT_EQ(Hr, DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_COPY | DROPEFFECT_MOVE);  // the drop's answer, without the link not allowed
  const std::string L = std::to_string(MK_LBUTTON), LC = std::to_string(MK_LBUTTON | MK_CONTROL);
  EXPECT_EQ(Log, (std::vector<std::string>{
                     "A:enter " + L + " " + Screen(PanelA, Point(10, 10)) + " 3->3",
                     "A:leave",
                     "B:enter " + L + " " + Screen(PanelB, Point(5, 5)) + " 3->7",
                     "B:over " + LC + " " + Screen(PanelB, Point(5, 5)) + " 3->7",
                     "B:over " + LC + " " + Screen(PanelB, Point(20, 15)) + " 3->7",
                     "B:drop " + std::to_string(MK_CONTROL) + " " + Screen(PanelB, Point(20, 15)) + " 3->7",
                 }));
  EXPECT_EQ(Seen, "dragged");
  ASSERT_FALSE(Source.Feedback.empty());
  EXPECT_EQ(Source.Feedback.back(), DROPEFFECT_COPY | DROPEFFECT_MOVE);  // limited to what the source allows
  EXPECT_EQ(GetCapture(), HWND(0));
  EXPECT_EQ(OleCurrentDragData(), nullptr);

  // Every reference taken during the drag was given back.
  EXPECT_EQ(Data->RefCount(), 1u);
  EXPECT_EQ(Source.Refs, 1);
  EXPECT_EQ(A.Refs, 2);
  EXPECT_EQ(B.Refs, 2);
  EXPECT_EQ(RevokeDragDrop(PanelA->Handle()), S_OK);
  EXPECT_EQ(RevokeDragDrop(FormB->Handle()), S_OK);
  EXPECT_EQ(A.Refs, 1);
  EXPECT_EQ(B.Refs, 1);
  Data->Release();
}

TEST_F(OleDragDrop, EscapeRefusalAndEmptyPlacesEndTheDragCancelled) {
  TLogTarget B("B", Log);
  ASSERT_EQ(RegisterDragDrop(PanelB->Handle(), &B), S_OK);
  TMemoryDataObject* Data = FilesAndText({"/tmp/a.html"}, "x");
  struct TCase {
    const char* Name;
    std::function<DWORD(DWORD)> Answer;
    std::vector<std::function<void()>> Script;
    std::vector<std::string> Expected;
  };
  auto MoveInto = [&] { Harness::MouseMove(PanelB->Handle(), Point(5, 5)); };
  auto Release = [&] { Harness::MouseUp(PanelB->Handle(), Point(5, 5)); };
  auto Copy = [](DWORD) { return DROPEFFECT_COPY; };
  auto Refuse = [](DWORD) { return DROPEFFECT_NONE; };
  std::vector<TCase> Cases = {
      {"escape", Copy, {MoveInto, [] { Harness::KeyDown(VK_ESCAPE); }}, {"B:enter", "B:leave"}},
      // A target whose last answer was "none" is left, not dropped on.
      {"refused", Refuse, {MoveInto, Release}, {"B:enter", "B:leave"}},
      // Released where nobody takes drops (the source panel has no target).
      {"nowhere", Copy, {[&] { Harness::MouseUp(PanelA->Handle(), Point(12, 12)); }}, {}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    Log.clear();
    B.Answer = C.Answer;
    TScriptSource Source;
    Source.Script = C.Script;
    PressOn(PanelA, Point(10, 10));
    DWORD Effect = 99;
    EXPECT_EQ(DoDragDrop(Data, &Source, DROPEFFECT_COPY, &Effect), DRAGDROP_S_CANCEL);
    Harness::KeyUp(VK_ESCAPE);
    Harness::MouseUp(PanelA->Handle(), Point(10, 10));
    Harness::RunUntilIdle();
    EXPECT_EQ(Effect, DROPEFFECT_NONE);
    std::vector<std::string> Calls;
    for (const std::string& Line : Log) {
      Calls.push_back(Line.substr(0, Line.find(' ')));
    }
    EXPECT_EQ(Calls, C.Expected);
    EXPECT_EQ(B.Refs, 2);
    EXPECT_EQ(B.Entered, nullptr);
    if (C.Answer(0) == DROPEFFECT_NONE) {
      EXPECT_EQ(GetCursor(), DefaultDragCursor(DROPEFFECT_NONE));  // the no-drop cursor while refused
    }
  }
  EXPECT_EQ(Data->RefCount(), 1u);
  Data->Release();
  EXPECT_EQ(RevokeDragDrop(PanelB->Handle()), S_OK);
  DWORD Effect = 0;
  TScriptSource Source;
  EXPECT_EQ(DoDragDrop(nullptr, &Source, DROPEFFECT_COPY, &Effect), E_INVALIDARG);
}

TEST_F(OleDragDrop, TheLoopKeepsTimersRunningAndAsksTheTargetAgainWhileThePointerRests) {
  TLogTarget B("B", Log);
  ASSERT_EQ(RegisterDragDrop(PanelB->Handle(), &B), S_OK);
  static int Ticks = 0;
  Ticks = 0;
  UINT_PTR Timer = SetTimer(0, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++Ticks; });
  TMemoryDataObject* Data = FilesAndText({}, "x");
  TScriptSource Source;
  Source.Script = {[&] { Harness::MouseMove(PanelB->Handle(), Point(5, 5)); }};
  // No more input: the loop's ticks ask the source and the target again while the pointer rests, then it drops.
  bool Released = false;
  Source.Script.resize(150, [&] {
    if (!Released && B.Overs >= 3) {
      Released = true;
      Harness::MouseUp(PanelB->Handle(), Point(5, 5));
    }
  });
  PressOn(PanelA, Point(10, 10));
  DWORD Effect = 0;
  EXPECT_EQ(DoDragDrop(Data, &Source, DROPEFFECT_COPY, &Effect), DRAGDROP_S_DROP);
  EXPECT_GE(B.Overs, 3);
  EXPECT_GT(Ticks, 0);
  EXPECT_EQ(Effect, DROPEFFECT_COPY);
  KillTimer(0, Timer);
  EXPECT_EQ(RevokeDragDrop(PanelB->Handle()), S_OK);
  Data->Release();
}

TEST_F(OleDragDrop, RegistrationErrorsAndAWindowThatEndsGivesItsReferenceBack) {
  TLogTarget T("T", Log);
  HWND W = PanelA->Handle();
  EXPECT_EQ(RegisterDragDrop(0, &T), DRAGDROP_E_INVALIDHWND);
  EXPECT_EQ(RegisterDragDrop(W, nullptr), E_INVALIDARG);
  EXPECT_EQ(RevokeDragDrop(W), DRAGDROP_E_NOTREGISTERED);
  EXPECT_EQ(RegisterDragDrop(W, &T), S_OK);
  EXPECT_EQ(RegisterDragDrop(W, &T), DRAGDROP_E_ALREADYREGISTERED);
  EXPECT_EQ(RegisteredDropTarget(W), &T);
  EXPECT_EQ(T.Refs, 2);
  EXPECT_EQ(RevokeDragDrop(W), S_OK);
  EXPECT_EQ(RevokeDragDrop(W), DRAGDROP_E_NOTREGISTERED);
  EXPECT_EQ(T.Refs, 1);

  EXPECT_EQ(RegisterDragDrop(W, &T), S_OK);
  delete FormA;
  FormA = nullptr;
  EXPECT_EQ(T.Refs, 1);
  EXPECT_EQ(RevokeDragDrop(W), DRAGDROP_E_INVALIDHWND);
  EXPECT_EQ(RegisteredDropTarget(W), nullptr);
}

TEST_F(OleDragDrop, ADesktopDragReachesTheRegisteredTargetWithFilesTextAndNamedFormats) {
  TLogTarget B("B", Log);
  ASSERT_EQ(RegisterDragDrop(PanelB->Handle(), &B), S_OK);
  B.Answer = [](DWORD In) { return In & DROPEFFECT_COPY; };
  std::vector<std::string> Files;
  TPoint DropPoint;
  std::string Text, Custom;
  std::vector<UINT> Offered;
  B.OnDrop = [&](IDataObject* Data) {
    FORMATETC F{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM M;
    ASSERT_EQ(Data->GetData(&F, &M), S_OK);
    auto Drop = reinterpret_cast<HDROP>(M.hGlobal);
    Files = FilesOf(Drop);
    DragQueryPoint(Drop, &DropPoint);
    ReleaseStgMedium(&M);
    EXPECT_TRUE(OleReadFormat(Data, CF_TEXT, Text));
    EXPECT_TRUE(OleReadFormat(Data, RegisterClipboardFormat("application/x-zub-sample"), Custom));
    IEnumFORMATETC* Enum = nullptr;
    ASSERT_EQ(Data->EnumFormatEtc(DATADIR_GET, &Enum), S_OK);
    FORMATETC R;
    while (Enum->Next(1, &R, nullptr) == S_OK) {
      Offered.push_back(R.cfFormat);
    }
    Enum->Release();
  };
  Harness::TDesktopData In;
  In.Files = {"/tmp/one.html", "/tmp/caf\xE9.css"};
  In.Text = "dropped text";
  In.Types = {{"application/x-zub-sample", std::string("a\0b", 3)}};
  auto Result = Harness::DragFromDesktop(
      In, {{PanelA->Handle(), Point(5, 5)}, {PanelB->Handle(), Point(5, 5)}, {PanelB->Handle(), Point(30, 20)}});
  EXPECT_EQ(Result, Harness::TDropAction::Copy);
  ASSERT_EQ(Log.size(), 3u);
  EXPECT_EQ(Log[0].substr(0, Log[0].rfind(' ')), "B:enter " + std::to_string(MK_LBUTTON) + " " +
                                                       Screen(PanelB, Point(5, 5)));
  EXPECT_EQ(Log[2].substr(0, 7), "B:drop ");
  EXPECT_EQ(Files, In.Files);
  EXPECT_EQ(DropPoint, Point(0, 0));
  EXPECT_EQ(Text, std::string("dropped text\0", 13));
  EXPECT_EQ(Custom, std::string("a\0b", 3));
  EXPECT_EQ(Offered, (std::vector<UINT>{CF_HDROP, CF_TEXT, RegisterClipboardFormat("application/x-zub-sample")}));
  EXPECT_EQ(B.Entered, nullptr);
  EXPECT_FALSE(OleDesktopDragActive());

  // Resting over the target and leaving the program: the target is asked again while the pointer rests (it may
  // scroll or open a node meanwhile), then left; nothing is dropped.
  Log.clear();
  B.Overs = 0;
  Result = Harness::DragFromDesktop(In, {{PanelB->Handle(), Point(5, 5)}}, false, {},
                                    [&] { EXPECT_TRUE(Harness::RunUntil([&] { return B.Overs >= 2; })); });
  EXPECT_EQ(Result, Harness::TDropAction::Ignore);
  ASSERT_EQ(Log.size(), 3u);
  EXPECT_EQ(Log[1].substr(0, 7), "B:over ");
  EXPECT_EQ(Log.back(), "B:leave");
  EXPECT_FALSE(OleDesktopDragActive());
  EXPECT_EQ(B.Refs, 2);
  EXPECT_EQ(RevokeDragDrop(PanelB->Handle()), S_OK);
}

TEST_F(OleDragDrop, WindowsThatOnlyAcceptFilesGetThemAsWmDropFilesFromBothKindsOfDrag) {
  std::vector<std::vector<std::string>> Received;
  struct TReceiver : TPanel {
    using TPanel::TPanel;
    std::vector<std::vector<std::string>>* Out = nullptr;
    void WndProc(TMessage& M) override {
      if (M.Msg == WM_DROPFILES) {
        auto Drop = static_cast<HDROP>(M.WParam);
        Out->push_back(FilesOf(Drop));
        DragFinish(Drop);
        return;
      }
      TPanel::WndProc(M);
    }
  };
  auto* Receiver = new TReceiver(FormB);
  Receiver->AfterConstruction();
  Receiver->Out = &Received;
  Receiver->SetParent(FormB);
  Receiver->SetBounds(120, 10, 100, 80);
  Harness::RunUntilIdle();
  DragAcceptFiles(Receiver->Handle(), TRUE);

  TMemoryDataObject* Data = FilesAndText({"/tmp/in.html"}, "x");
  TScriptSource Source;
  Source.Script = {[&] { Harness::MouseMove(Receiver->Handle(), Point(5, 5)); },
                   [&] { Harness::MouseUp(Receiver->Handle(), Point(5, 5)); }};
  PressOn(PanelA, Point(10, 10));
  DWORD Effect = 0;
  EXPECT_EQ(DoDragDrop(Data, &Source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &Effect), DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_COPY);
  Data->Release();

  Harness::TDesktopData In;
  In.Files = {"/tmp/desk.css"};
  EXPECT_EQ(Harness::DragFromDesktop(In, {{Receiver->Handle(), Point(8, 8)}}), Harness::TDropAction::Copy);
  // Text alone is no file: refused.
  EXPECT_EQ(Harness::DragFromDesktop({{}, "text", {}}, {{Receiver->Handle(), Point(8, 8)}}),
            Harness::TDropAction::Ignore);
  // A file manager's list of addresses: the names arrive as the file system's bytes, UTF-8 or not.
  Harness::TDesktopData Named;
  Named.Types = {{"text/uri-list",
                  "file:///tmp/caf%C3%A9.html\r\nfile:///tmp/caf%E9.html\r\n"
                  "file:///tmp/%D0%B4%D0%BE%D0%BC.html\r\nfile:///tmp/%E6%96%87.html\r\n"}};
  EXPECT_EQ(Harness::DragFromDesktop(Named, {{Receiver->Handle(), Point(8, 8)}}), Harness::TDropAction::Copy);
  Harness::RunUntilIdle();
  EXPECT_EQ(Received,
            (std::vector<std::vector<std::string>>{{"/tmp/in.html"},
                                                   {"/tmp/desk.css"},
                                                   {"/tmp/caf\xC3\xA9.html", "/tmp/caf\xE9.html",
                                                    "/tmp/\xD0\xB4\xD0\xBE\xD0\xBC.html", "/tmp/\xE6\x96\x87.html"}}));
  EXPECT_EQ(OpenDropHandles(), 0);
}

// A dropped-files block as a program builds it, read through the drop-handle functions.
TEST(OleDropFilesBlock, DragQueryFileReadsEightBitAndWideBlocksAndDragFinishFreesThem) {
  auto Build = [](const std::string& Names, bool Wide, TPoint P, bool NonClient) {
    HGLOBAL Block = GlobalAlloc(GHND, sizeof(DROPFILES) + Names.size());
    auto* Bytes = static_cast<char*>(GlobalLock(Block));
    DROPFILES H;
    H.pFiles = sizeof(DROPFILES);
    H.pt = P;
    H.fNC = NonClient;
    H.fWide = Wide;
    std::memcpy(Bytes, &H, sizeof H);
    std::memcpy(Bytes + sizeof H, Names.data(), Names.size());
    GlobalUnlock(Block);
    return reinterpret_cast<HDROP>(Block);
  };
  // "a" and "bc" as 8-bit names, then the closing zero.
  HDROP Narrow = Build(std::string("a\0bc\0\0", 6), false, Point(7, 9), false);
  EXPECT_EQ(FilesOf(Narrow), (std::vector<std::string>{"a", "bc"}));
  TPoint P;
  EXPECT_TRUE(DragQueryPoint(Narrow, &P));
  EXPECT_EQ(P, Point(7, 9));
  char Small[2];
  EXPECT_EQ(DragQueryFile(Narrow, 1, Small, sizeof Small), 1u);  // cut to the buffer
  EXPECT_STREQ(Small, "b");
  EXPECT_EQ(DragQueryFile(Narrow, 2, Small, sizeof Small), 0u);
  DragFinish(Narrow);
  EXPECT_EQ(GlobalSize(reinterpret_cast<HGLOBAL>(Narrow)), 0u);

  // UTF-16 names: é is in the 8-bit code page, the Greek letter is not.
  const char16_t Wide[] = u"/tmp/caf\u00E9\0/x\u03A9\0";
  HDROP W = Build(std::string(reinterpret_cast<const char*>(Wide), sizeof Wide), true, Point(1, 2), true);
  EXPECT_EQ(FilesOf(W), (std::vector<std::string>{"/tmp/caf\xE9", "/x?"}));
  EXPECT_FALSE(DragQueryPoint(W, &P));  // non-client
  DragFinish(W);

  // A block whose last name runs to its end is read no further.
  HDROP Cut = Build("abc", false, Point(0, 0), false);
  EXPECT_EQ(FilesOf(Cut), (std::vector<std::string>{"abc"}));
  DragFinish(Cut);
  EXPECT_EQ(DragQueryFile(reinterpret_cast<HDROP>(&P), 0xFFFFFFFF, nullptr, 0), 0u);  // no block at all
}

TEST(OleDataObject, FormatQueriesEnumerationAndDetachedData) {
  std::string Source = "abc";
  auto* Data = new TMemoryDataObject({CF_TEXT, CF_HDROP}, [&](UINT Format, std::string& Bytes) {
    if (Format != CF_TEXT || Source.empty()) {
      return false;
    }
    Bytes = Source;
    return true;
  });
  struct TQuery {
    DWORD Aspect;
    LONG Index;
    DWORD Tymed;
    UINT Format;
    HRESULT Expected;
  };
  for (const TQuery& Q : {TQuery{DVASPECT_CONTENT, -1, TYMED_HGLOBAL, CF_TEXT, S_OK},
                          TQuery{DVASPECT_ICON, -1, TYMED_HGLOBAL, CF_TEXT, DV_E_FORMATETC},
                          TQuery{DVASPECT_CONTENT, 0, TYMED_HGLOBAL, CF_TEXT, DV_E_LINDEX},
                          TQuery{DVASPECT_CONTENT, -1, TYMED_ISTREAM, CF_TEXT, DV_E_TYMED},
                          TQuery{DVASPECT_CONTENT, -1, TYMED_HGLOBAL, CF_DIB, DV_E_FORMATETC}}) {
    FORMATETC F{static_cast<CLIPFORMAT>(Q.Format), nullptr, Q.Aspect, Q.Index, Q.Tymed};
    EXPECT_EQ(Data->QueryGetData(&F), Q.Expected) << Q.Format << " " << Q.Aspect << " " << Q.Index;
  }
  void* Other = nullptr;
  EXPECT_EQ(Data->QueryInterface(IID_IDropTarget, &Other), E_NOINTERFACE);
  FORMATETC F{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM M;
  EXPECT_EQ(Data->GetData(&F, &M), DV_E_FORMATETC);  // offered, but the renderer has nothing

  IEnumFORMATETC* Enum = nullptr;
  EXPECT_EQ(Data->EnumFormatEtc(DATADIR_SET, &Enum), E_NOTIMPL);
  EXPECT_EQ(Enum, nullptr);
  ASSERT_EQ(Data->EnumFormatEtc(DATADIR_GET, &Enum), S_OK);
  FORMATETC R[3];
  ULONG Got = 9;
  EXPECT_EQ(Enum->Next(3, R, &Got), S_FALSE);
  EXPECT_EQ(Got, 2u);
  EXPECT_EQ(R[1].cfFormat, CF_HDROP);
  EXPECT_EQ(Enum->Next(1, R, &Got), S_FALSE);
  EXPECT_EQ(Got, 0u);
  EXPECT_EQ(Enum->Reset(), S_OK);
  EXPECT_EQ(Enum->Skip(1), S_OK);
  IEnumFORMATETC* Copy = nullptr;
  ASSERT_EQ(Enum->Clone(&Copy), S_OK);
  EXPECT_EQ(Enum->Skip(2), S_FALSE);
  EXPECT_EQ(Copy->Next(1, R, nullptr), S_OK);  // the clone kept the position
  EXPECT_EQ(R[0].cfFormat, CF_HDROP);
  Copy->Release();
  Enum->Release();

  // Detached, the object keeps what it could render even after its source is gone.
  Data->Detach();
  Source.clear();
  std::string Bytes;
  EXPECT_TRUE(OleReadFormat(Data, CF_TEXT, Bytes));
  EXPECT_EQ(Bytes, "abc");
  EXPECT_EQ(Data->Release(), 0u);
}

}  // namespace

namespace {

// Interfaces as another unit declares them for itself (same slots, same order, nothing shared with the layer's
// declarations): an object built on them must be usable wherever the layer takes its own interface pointers.
class IForeignUnknown {
public:
  virtual HRESULT QueryInterface(REFIID, void**) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  ~IForeignUnknown() = default;
};
class IForeignEverything : public IForeignUnknown {
public:
  // The data object's nine slots; the drop target's, drop source's and enumerator's first slots share them.
  virtual HRESULT Slot3(void*, void*, void*, void*) = 0;
  virtual HRESULT Slot4(void*, void*) = 0;
  virtual HRESULT Slot5(void*) = 0;
  virtual HRESULT Slot6(void*, void*) = 0;
  virtual HRESULT Slot7(void*, void*, BOOL) = 0;
  virtual HRESULT Slot8(DWORD, void*) = 0;
  virtual HRESULT Slot9(void*, DWORD, void*, void*) = 0;
  virtual HRESULT Slot10(DWORD) = 0;
  virtual HRESULT Slot11(void*) = 0;

protected:
  ~IForeignEverything() = default;
};

class TForeign final : public IForeignEverything {
public:
  HRESULT QueryInterface(REFIID, void**) override { return Called(0); }
  ULONG AddRef() override { return static_cast<ULONG>(Called(1)); }
  ULONG Release() override { return static_cast<ULONG>(Called(2)); }
  HRESULT Slot3(void*, void*, void*, void*) override { return Called(3); }
  HRESULT Slot4(void*, void*) override { return Called(4); }
  HRESULT Slot5(void*) override { return Called(5); }
  HRESULT Slot6(void*, void*) override { return Called(6); }
  HRESULT Slot7(void*, void*, BOOL) override { return Called(7); }
  HRESULT Slot8(DWORD, void*) override { return Called(8); }
  HRESULT Slot9(void*, DWORD, void*, void*) override { return Called(9); }
  HRESULT Slot10(DWORD) override { return Called(10); }
  HRESULT Slot11(void*) override { return Called(11); }
  std::vector<int> Slots;

private:
  HRESULT Called(int Slot) {
    Slots.push_back(Slot);
    return 100 + Slot;
  }
};

// Calls method Which of the table below through the layer's interface pointers on an object that only shares
// their slot layout, as a caller in another module would see it: the pointer's origin is hidden from the
// optimiser (which could otherwise resolve the calls by the object's real type), and the sanitizer's dynamic type
// check, which cannot know that the layouts agree, is off here.
__attribute__((noinline, no_sanitize("undefined"))) HRESULT CallThroughLayer(IForeignEverything* Base, int Which) {
  void* Opaque = Base;
  asm volatile("" : "+r"(Opaque));
  auto* Data = static_cast<IDataObject*>(Opaque);
  auto* Target = static_cast<IDropTarget*>(Opaque);
  auto* Source = static_cast<IDropSource*>(Opaque);
  auto* Enum = static_cast<IEnumFORMATETC*>(Opaque);
  FORMATETC Fe{};
  STGMEDIUM M{};
  DWORD D = 0;
  switch (Which) {
    case 0: return Data->QueryInterface(IID_IDataObject, nullptr);
    case 1: return static_cast<HRESULT>(Data->AddRef());
    case 2: return static_cast<HRESULT>(Data->Release());
    case 3: return Data->GetData(&Fe, &M);
    case 4: return Data->GetDataHere(&Fe, &M);
    case 5: return Data->QueryGetData(&Fe);
    case 6: return Data->GetCanonicalFormatEtc(&Fe, &Fe);
    case 7: return Data->SetData(&Fe, &M, TRUE);
    case 8: return Data->EnumFormatEtc(DATADIR_GET, nullptr);
    case 9: return Data->DAdvise(&Fe, 0, nullptr, &D);
    case 10: return Data->DUnadvise(0);
    case 11: return Data->EnumDAdvise(nullptr);
    case 12: return Target->DragEnter(nullptr, 0, POINTL{}, &D);
    case 13: return Target->DragOver(0, POINTL{}, &D);
    case 14: return Target->DragLeave();
    case 15: return Target->Drop(nullptr, 0, POINTL{}, &D);
    case 16: return Source->QueryContinueDrag(FALSE, 0);
    case 17: return Source->GiveFeedback(0);
    case 18: return Enum->Next(1, &Fe, nullptr);
    case 19: return Enum->Skip(1);
    case 20: return Enum->Reset();
    case 21: return Enum->Clone(nullptr);
    default: return E_FAIL;
  }
}

TEST(OleInterfaces, EachMethodUsesThePlatformsSlot) {
  TForeign F;
  // The slot each call of CallThroughLayer must land in.
  const int Slots[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 3, 4, 5, 6, 3, 4, 3, 4, 5, 6};
  for (int I = 0; I < static_cast<int>(std::size(Slots)); ++I) {
    F.Slots.clear();
    EXPECT_EQ(CallThroughLayer(&F, I), 100 + Slots[I]) << "call " << I;
    EXPECT_EQ(F.Slots, std::vector<int>{Slots[I]}) << "call " << I;
  }
}

}  // namespace
