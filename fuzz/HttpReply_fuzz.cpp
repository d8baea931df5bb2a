// The HTTP client's reply parser: a server on 127.0.0.1 answers every request with the input; the client gets a
// document through it (as its proxy, so that redirections stay on this machine too) and comes back with a
// status or an error, never hanging or crashing.
#include "net/Httpprot.h"
#include "tests/net/NetTestServer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace {

std::mutex ReplyLock;
std::string Reply;
std::unique_ptr<NetTest::TServer> Server;
int Runs = 0;

// The server keeps a thread per connection until it goes: a fresh one every few hundred inputs.
void StartServer() {
  Server.reset();
  Server.reset(new NetTest::TServer([](NetTest::TConn& C, int) {
    C.ReadRequest(2000);
    std::string Answer;
    {
      std::lock_guard<std::mutex> G(ReplyLock);
      Answer = Reply;
    }
    C.Send(Answer);
  }));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartServer();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (++Runs % 256 == 0) {
    StartServer();
  }
  {
    std::lock_guard<std::mutex> G(ReplyLock);
    Reply.assign(reinterpret_cast<const char*>(Data), Size);
  }
  THttpCli H(nullptr);
  TMemoryStream Body;
  H.RcvdStream = &Body;
  H.Proxy = "127.0.0.1";
  H.ProxyPort = Server->PortStr();
  H.URL = "http://fuzz.test/dir/page.htm";
  try {
    H.Get();
  } catch (const Exception&) {
  }
  return 0;
}
