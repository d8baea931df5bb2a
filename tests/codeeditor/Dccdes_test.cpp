// The script code designers: creating, finding, measuring, renaming and deleting handlers in VBScript, JavaScript,
// Python and Pascal, the Pascal class and uses clauses, the templates and the registration by extension.
#include "codeeditor/Dccdesdelphi.h"

#include "platform/classes/ClassRegistry.h"
#include "tests/codeeditor/TokenDump.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Dccdes;
using Dorazori::msEmpty;
using Dorazori::msNotPresent;
using Dorazori::msOk;

namespace {
const TTypeData NoParams{mkProcedure, {}, ""};
const TTypeData TwoObjects{mkProcedure, {{0, "A", "TObject"}, {0, "B", "TObject"}}, ""};
const TTypeData IntFunction{mkFunction, {{pfConst, "X", "Integer"}}, "Boolean"};

std::string Text(TStrings* Lines) {
  std::string T;
  for (Integer I = 0; I < Lines->Count(); ++I) {
    T += Lines->Strings(I) + "|";
  }
  return T;
}

template <class D>
struct TFixture {
  explicit TFixture(const std::string& Source) : Lines(TokenTest::MakeLines(Source)), Designer(new D(nullptr)) {
    Designer->SetStrings(Lines.get());
    Designer->SetOnShowSource([this](TObject*, Integer X, Integer Y) { Shown = {X, Y}; });
  }
  std::unique_ptr<TStringList> Lines;
  std::unique_ptr<D> Designer;
  TPoint Shown{-1, -1};
};

const char* const FormUnit =
    "unit Unit1;\n\ninterface\n\nuses\n  Windows, Forms;\n\ntype\n  TForm1 = class(TComponent)\n    Button1: "
    "TButton;\n  private\n    { Private declarations }\n  public\n  end;\n\nvar\n  Form1: TForm1;\n\n"
    "implementation\n\n{$R *.DFM}\n\nend.";
}  // namespace

TEST(Dccdes, VBScriptHandlers) {
  TFixture<TVbsCodeDesigner> F("Dim x");
  F.Designer->CreateMethod("Timer1Timer", &NoParams);
  EXPECT_EQ(Text(F.Lines.get()), "Dim x||Sub Timer1Timer||End Sub|");
  EXPECT_EQ(F.Shown.Y, F.Lines->Count() - 2);
  EXPECT_EQ(F.Designer->GetMethodState("timer1timer"), msEmpty);
  F.Lines->Insert(3, "  x = 1");
  EXPECT_EQ(F.Designer->GetMethodState("Timer1Timer"), msOk);
  EXPECT_EQ(F.Designer->GetMethodState("Other"), msNotPresent);
  F.Designer->CreateMethod("Button1Click", NotifyEventTypeData());
  EXPECT_EQ(F.Lines->Strings(F.Lines->Count() - 3), "Sub Button1Click(Sender)");
  // A header with parameters is never empty: its parameter list counts as body.
  EXPECT_EQ(F.Designer->GetMethodState("Button1Click"), msOk);
  std::unique_ptr<TStringList> Found(new TStringList());
  F.Designer->GetMethods(NotifyEventTypeData(), Found.get());
  EXPECT_EQ(Text(Found.get()), "Button1Click|");
  F.Designer->ShowMethod("Button1Click");
  EXPECT_EQ(F.Shown.Y, F.Lines->Count() - 2);
  F.Designer->RenameMethod("button1click", "OkClick");
  EXPECT_TRUE(F.Designer->MethodExists("OkClick"));
  F.Designer->DeleteMethod("OkClick");
  EXPECT_EQ(Text(F.Lines.get()), "Dim x||Sub Timer1Timer|  x = 1||End Sub||");
}

TEST(Dccdes, DeleteEmptyMethodsDeletesEachEmptyOneWhereItIsFound) {
  // Two handlers share a name; the first is not empty. A search by name would find the first and loop.
  TFixture<TVbsCodeDesigner> F("Sub A\n  x = 1\nEnd Sub\nSub B\nEnd Sub\nSub A\nEnd Sub\nSub C\nEnd Sub\nx");
  F.Designer->DeleteEmptyMethods();
  EXPECT_EQ(Text(F.Lines.get()), "Sub A|  x = 1|End Sub|x|");
}

TEST(Dccdes, JavaScriptNamesAreExact) {
  TFixture<TJsCodeDesigner> F("");
  F.Designer->CreateMethod("f", &NoParams);
  EXPECT_EQ(Text(F.Lines.get()), "function f()|{||}|");
  EXPECT_TRUE(F.Designer->MethodExists("f"));
  EXPECT_FALSE(F.Designer->MethodExists("F"));
  EXPECT_EQ(F.Designer->GetMethodState("f"), msEmpty);
  F.Designer->DeleteEmptyMethods();
  EXPECT_EQ(F.Lines->Count(), 0);
}

TEST(Dccdes, PythonAndPerlTemplates) {
  TFixture<TPythonCodeDesigner> Py("");
  Py.Designer->CreateMethod("on_click", NotifyEventTypeData());
  EXPECT_EQ(Text(Py.Lines.get()), "def on_click(Sender):||#def|");
  TFixture<TPerlCodeDesigner> Pl("");
  Pl.Designer->CreateMethod("Click", &TwoObjects);
  Pl.Designer->CreateMethod("None", &NoParams);
  EXPECT_EQ(Text(Pl.Lines.get()), "sub Click # A, B|{||}||sub None |{||}|");
}

TEST(Dccdes, UnitUseComments) {
  TFixture<TVbsCodeDesigner> F("'USEUNIT Lib1 rest\nx");
  std::unique_ptr<TStringList> Want(TokenTest::MakeLines("Lib1\nLib2\nLib3"));
  F.Designer->UseUnits(Want.get(), false);
  EXPECT_EQ(Text(F.Lines.get()), "'USEUNIT  Lib3|'USEUNIT  Lib2|'USEUNIT Lib1 rest|x|");
  std::unique_ptr<TStringList> Used(new TStringList());
  F.Designer->GetUsedUnits(Used.get(), false);
  EXPECT_EQ(Text(Used.get()), "Lib3|Lib2|Lib1|");
}

TEST(Dccdes, PascalEventHandlers) {
  TComponent Form(nullptr);
  Form.SetName("Form1");
  TFixture<TDelphiCodeDesigner> F(FormUnit);
  F.Designer->DesignedModule = &Form;
  F.Designer->CreateMethod("FormKeyPress", KeyPressEventTypeData());
  F.Designer->CreateMethod("Pair", &TwoObjects);
  F.Designer->CreateMethod("Check", &IntFunction);
  const std::string T = Text(F.Lines.get());
  EXPECT_NE(T.find("    procedure FormKeyPress(Sender: TObject; var Key: Char);|    procedure Pair(A, B: TObject);|"
                   "    function Check(const X: Integer): Boolean;|  private|"),
            std::string::npos)
      << T;
  EXPECT_NE(T.find("{$R *.DFM}||procedure TForm1.FormKeyPress(Sender: TObject; var Key: Char);|begin||end;||"
                   "procedure TForm1.Pair(A, B: TObject);|begin||end;||"),
            std::string::npos)
      << T;
  EXPECT_EQ(F.Designer->GetMethodState("FormKeyPress"), msEmpty);
  std::unique_ptr<TStringList> Found(new TStringList());
  F.Designer->GetMethods(KeyPressEventTypeData(), Found.get());
  EXPECT_EQ(Text(Found.get()), "FormKeyPress|");
  Found->Clear();
  F.Designer->GetMethods(&TwoObjects, Found.get());
  EXPECT_EQ(Text(Found.get()), "Pair|");

  // A body with case, try and asm blocks ends at its own "end".
  const Integer Body =
      F.Designer->GetSyntaxParser() != nullptr ? F.Lines->IndexOf("procedure TForm1.Pair(A, B: TObject);") + 2 : -1;
  F.Lines->Insert(Body, "  case 1 of 1: ; end; try x; finally end; asm nop end;");
  EXPECT_EQ(F.Designer->GetMethodState("Pair"), msOk);
  F.Designer->DeleteEmptyMethods();
  const std::string After = Text(F.Lines.get());
  EXPECT_EQ(After.find("FormKeyPress"), std::string::npos) << After;
  EXPECT_EQ(After.find("Check"), std::string::npos) << After;
  EXPECT_NE(After.find("    procedure Pair(A, B: TObject);|  private|"), std::string::npos) << After;
  F.Designer->DeleteMethod("Pair");
  EXPECT_EQ(Text(F.Lines.get()), Text(std::unique_ptr<TStringList>(TokenTest::MakeLines(FormUnit)).get()));
}

TEST(Dccdes, PascalUsesClauses) {
  TFixture<TUnitCodeDesigner> F("unit U;\ninterface\nuses Windows, Forms;\nimplementation\nend.");
  std::unique_ptr<TStringList> Want(TokenTest::MakeLines("forms"));
  F.Designer->UseUnits(Want.get(), true);
  EXPECT_EQ(F.Lines->Strings(2), "uses Windows, Forms;");
  Want.reset(
      TokenTest::MakeLines("AVeryLongUnitNameNumberOne\nAVeryLongUnitNameNumberTwo\nAVeryLongUnitNameNumberThree"));
  F.Designer->UseUnits(Want.get(), true);
  std::unique_ptr<TStringList> Used(new TStringList());
  F.Designer->GetUsedUnits(Used.get(), true);
  EXPECT_EQ(Text(Used.get()),
            "Windows|Forms|AVeryLongUnitNameNumberOne|AVeryLongUnitNameNumberTwo|AVeryLongUnitNameNumberThree|");
  for (Integer I = 0; I < F.Lines->Count(); ++I) {
    EXPECT_LE(F.Lines->Strings(I).size(), 80u) << F.Lines->Strings(I);
  }
  EXPECT_EQ(F.Lines->Strings(3), "  AVeryLongUnitNameNumberThree;");
  // A unit without a clause gets one after its section word.
  Want.reset(TokenTest::MakeLines("Classes"));
  F.Designer->UseUnits(Want.get(), false);
  EXPECT_EQ(F.Lines->Strings(F.Lines->IndexOf("implementation") + 1), "uses");
  EXPECT_EQ(F.Lines->Strings(F.Lines->IndexOf("implementation") + 2), "  Classes;");
  F.Designer->RenameModule("u", "Main");
  EXPECT_EQ(F.Lines->Strings(0), "unit Main;");
}

TEST(Dccdes, Templates) {
  TComponent Form(nullptr);
  Form.SetName("Form1");
  auto* Button = new TComponent(&Form);
  Button->SetName("Button1");
  TFixture<TDelphiCodeDesigner> F("");
  F.Designer->FillWithTemplate("Unit1", true);
  EXPECT_EQ(F.Lines->Text(), "unit Unit1;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nend.\r\n");
  F.Designer->DesignedModule = &Form;
  F.Designer->FillWithTemplate("Unit1", true);
  EXPECT_EQ(F.Lines->Text(),
            "unit Unit1;\r\n\r\ninterface\r\n\r\nuses\r\n  Windows, Messages, SysUtils, Classes, Graphics, Controls, "
            "Forms, Dialogs;\r\n\r\ntype\r\n  TForm1 = class(TComponent)\r\n  private\r\n    { Private declarations "
            "}\r\n  public\r\n    { Public declarations }\r\n  end;\r\n\r\nvar\r\n  Form1: TForm1;\r\n\r\n"
            "implementation\r\n\r\n{$R *.DFM}\r\n\r\nend.\r\n");
  EXPECT_EQ(GenerateCodeForComp(&Form, "Unit2"),
            "unit Unit2;\r\n\r\ninterface\r\n\r\nuses Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, "
            "\r\n     Dialogs;\r\n\r\ntype\r\n  TForm1 = class(TComponent)\r\n    Button1: TComponent;\r\n"
            "  private\r\n    {private declarations}\r\n  protected\r\n    {protected declarations}\r\n  public\r\n"
            "    {public declarations}\r\n  end;\r\n\r\nvar\r\n  Form1: TForm1;\r\n\r\nimplementation\r\n\r\n{$R "
            "*.DFM}\r\n\r\nend.");
  TFixture<THTMLCodeDesigner> H("");
  H.Designer->FillWithTemplate("Page", true);
  EXPECT_EQ(H.Lines->Text(),
            "<html>\r\n\r\n<head>\r\n<title>Page</title>\r\n</head>\r\n\r\n<body>\r\n</body>\r\n</html>\r\n");
  EXPECT_THROW(H.Designer->DeleteEmptyMethods(), Dorazori::EAbstractError);
  EXPECT_EQ(F.Designer->TypeToString(3), "Longint");
  EXPECT_EQ(TVbsCodeDesigner(nullptr).TypeToString(8), "String");
}

TEST(Dccdes, PascalComponents) {
  TComponent Form(nullptr);
  Form.SetName("Form1");
  auto* Edit = new TComponent(&Form);
  Edit->SetName("Edit1");
  TFixture<TDelphiCodeDesigner> F(FormUnit);
  F.Designer->DesignedModule = &Form;
  F.Designer->InsertComponent(Edit, "");
  EXPECT_EQ(F.Lines->Strings(10), "    Edit1: TComponent;");
  F.Designer->RenameComponent(Edit, "Name1");
  EXPECT_EQ(F.Lines->Strings(10), "    Name1: TComponent;");
  Edit->SetName("Name1");
  F.Designer->DeleteComponent(Edit);
  EXPECT_EQ(F.Lines->Strings(10), "  private");
  F.Designer->CreateMethod("FormShow", NotifyEventTypeData());
  F.Designer->RenameComponent(&Form, "Main");
  const std::string T = Text(F.Lines.get());
  EXPECT_NE(T.find("  TMain = class(TComponent)"), std::string::npos) << T;
  EXPECT_NE(T.find("  Main: TMain;"), std::string::npos) << T;
  EXPECT_NE(T.find("procedure TMain.FormShow(Sender: TObject);"), std::string::npos) << T;
}

TEST(Dccdes, RegisteredByExtension) {
  using Dorazori::GetFormCodeDesignerClass;
  using Dorazori::GetUnitCodeDesignerClass;
  EXPECT_EQ(GetUnitCodeDesignerClass("pas"), TUnitCodeDesigner::StaticClass());
  EXPECT_EQ(GetFormCodeDesignerClass(".PAS"), TDelphiCodeDesigner::StaticClass());
  EXPECT_EQ(GetUnitCodeDesignerClass("htm"), THTMLCodeDesigner::StaticClass());
  EXPECT_EQ(GetFormCodeDesignerClass("html"), nullptr);
  EXPECT_EQ(GetUnitCodeDesignerClass("py"), TPythonCodeDesigner::StaticClass());
  EXPECT_EQ(GetClass("TStringsCodeDesigner"), TStringsCodeDesigner::StaticClass());
}
