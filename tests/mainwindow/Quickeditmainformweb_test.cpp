// Opening from the web against a server on this machine, and files dropped on the main window.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "editor/Easyeditsource.h"
#include "support/NetTestServer.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/Desktop.h"
#include "platform/win/MessageBox.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const Page = "<html><head><title>t</title></head><body><p>fetched</p></body></html>\n";
// "ann:secret" in the Basic scheme.
const char* const Credentials = "Authorization: Basic YW5uOnNlY3JldA==";

class MainFormWebTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Form->Show();
    DragAcceptFiles(Form->Handle(), TRUE);  // as the start-up does once the window is set up
  }
  PointerArrayManager& Documents() { return *prg->volatileState->documents; }
  fileinfoclass* Document(int Index) { return static_cast<fileinfoclass*>(Documents().getPointer(Index)); }
  std::string MakeFile(const std::string& Path, const std::string& Text) {
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path());
    std::ofstream(Path) << Text;
    return Path;
  }
  // A page behind Basic authentication: the first request without credentials gets 401.
  static void Serve(NetTest::TConn& Conn, NetTest::TServer& Server) {
    const std::string Request = Conn.ReadRequest();
    Server.Record(Request);
    if (Request.find(Credentials) == std::string::npos) {
      (void)Conn.Send(
          "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"site\"\r\nContent-Length: 0\r\n\r\n");
      return;
    }
    (void)Conn.Send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                    std::to_string(std::strlen(Page)) + "\r\nConnection: close\r\n\r\n" + Page);
  }
};

TEST_F(MainFormWebTest, DroppedFilesOpenInOrderAndAFolderIsPassedOver) {
  const std::string A = MakeFile(Dir + "/drop/a.html", "<p>one</p>\n");
  const std::string B = MakeFile(Dir + "/drop/b.css", "p {}\n");
  (void)Form->SetStatusText("before the drop");

  Harness::DropFiles(Form->Handle(), {20, 60}, {Dir + "/drop", A, B});
  Harness::RunUntilIdle();

  EXPECT_TRUE(Dialogs.Shown().empty());
  ASSERT_EQ(Documents().getCount(), 2);  // the untitled placeholder gave way
  EXPECT_STREQ(Document(0)->name.text, A.c_str());
  EXPECT_STREQ(Document(1)->name.text, B.c_str());
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(), "before the drop");
}

TEST_F(MainFormWebTest, ADroppedNameLongerThan255BytesOpensWhole) {
  std::string Path = Dir;
  while (Path.size() < 300) {
    Path += "/" + std::string(60, 'd');
  }
  Path = MakeFile(Path + "/long name.html", "<p>deep</p>\n");
  ASSERT_GT(Path.size(), 255u);
  Harness::DropFiles(Form->Handle(), {20, 60}, {Path});
  Harness::RunUntilIdle();
  ASSERT_EQ(Documents().getCount(), 1);
  EXPECT_EQ(std::string(Document(0)->name.text), Path);
}

TEST_F(MainFormWebTest, APageBehindBasicAuthenticationOpensUnmodifiedAndWritableWithItsOrigin) {
  NetTest::TServer* Self = nullptr;
  NetTest::TServer Server([&](NetTest::TConn& Conn, int) { Serve(Conn, *Self); });
  Self = &Server;
  fileinfoextraclass Caller;
  Caller.address = ("http://127.0.0.1:" + Server.PortStr() + "/page.html").c_str();
  Caller.userName = "ann";
  Caller.password = "secret";
  Caller.flags |= WEBORIGIN_CREDENTIALS;

  // Flag 2: the caller keeps its record, untouched.
  ASSERT_EQ(Form->OpenWebDocument(&Caller, "ZUBOpenFromWeb.txt", 2), 0);
  EXPECT_EQ(Caller.localFile.length, 0);
  ASSERT_EQ(Documents().getCount(), 1);
  fileinfoclass* Doc = Document(0);
  ASSERT_EQ(Form->GetCurrentFile(), Doc);
  ASSERT_EQ(Doc->text->Strings()->Count(), 1);
  EXPECT_EQ(Doc->text->Strings()->Strings(0) + "\n", Page);
  EXPECT_FALSE(Doc->text->Modified);
  EXPECT_EQ(Doc->IsReadOnly(), 0);
  ASSERT_NE(Doc->webOrigin, nullptr);
  EXPECT_STREQ(Doc->webOrigin->address.text, Caller.address.text);
  const std::vector<std::string> Requests = Server.Requests();
  ASSERT_FALSE(Requests.empty());
  EXPECT_NE(Requests.back().find(Credentials), std::string::npos);
}

TEST_F(MainFormWebTest, AFailedDownloadOpensNothingAndLeavesTheTabs) {
  const std::string Kept = MakeFile(Dir + "/kept.html", "<p>kept</p>\n");
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Kept.c_str(), 0, nullptr), 0);
  auto* Record = new fileinfoextraclass;
  Record->address = ("http://127.0.0.1:" + std::to_string(NetTest::UnusedPort()) + "/gone.html").c_str();
  EXPECT_LT(Form->OpenWebDocument(Record, "ZUBOpenFromWeb.txt", 1), 0);  // the record goes with the failure
  ASSERT_EQ(Documents().getCount(), 1);
  EXPECT_STREQ(Document(0)->name.text, Kept.c_str());
  EXPECT_EQ(Form->GetCurrentFile(), Document(0));
}

}  // namespace
