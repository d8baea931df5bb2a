// Downloading a 100 MB body from a local server: THttpCli against a plain blocking socket read loop.
#include "net/Httpprot.h"
#include "support/NetTestServer.h"

#include <benchmark/benchmark.h>

namespace {

constexpr long long BodySize = 100LL * 1024 * 1024;
const std::string Header = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n";

// A stream that only counts what is written to it.
class TCountingStream : public TStream {
public:
  LongInt Read(void*, LongInt) override { return 0; }
  LongInt Write(const void*, LongInt Count) override {
    Written += Count;
    return Count;
  }
  Int64 Seek(Int64, Word) override { return Written; }
  long long Written = 0;
};

NetTest::TServer& BodyServer() {
  static NetTest::TServer Server([](NetTest::TConn& C, int) {
    C.ReadRequest();
    std::string Block(64 * 1024, 'b');
    C.Send(Header);
    for (long long Sent = 0; Sent < BodySize; Sent += static_cast<long long>(Block.size())) {
      if (!C.Send(Block)) {
        return;
      }
    }
  });
  return Server;
}

void BM_PlainBlockingRead(benchmark::State& State) {
  int Port = BodyServer().Port();
  for (auto _ : State) {
    long long Got = NetTest::BlockingFetch(Port, "GET / HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n", 8192);
    if (Got != BodySize + static_cast<long long>(Header.size())) {
      State.SkipWithError("short read");
      break;
    }
  }
  State.SetBytesProcessed(State.iterations() * BodySize);
}
BENCHMARK(BM_PlainBlockingRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HttpCliGet(benchmark::State& State) {
  std::string Url = "http://127.0.0.1:" + BodyServer().PortStr() + "/";
  THttpCli Client(nullptr);
  for (auto _ : State) {
    TCountingStream Body;
    Client.RcvdStream = &Body;
    Client.URL = Url;
    Client.Get();
    Client.RcvdStream = nullptr;
    if (Body.Written != BodySize) {
      State.SkipWithError("short body");
      break;
    }
  }
  State.SetBytesProcessed(State.iterations() * BodySize);
}
BENCHMARK(BM_HttpCliGet)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
