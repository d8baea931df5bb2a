// The engine's side of the checker worker: a persistent helper process, started when first needed and started
// again after it failed, that runs the HTML checker for the engine.
#pragma once

#include "engine/CheckerProtocol.h"

#include <sys/types.h>

#include <chrono>
#include <string>

namespace zubengine {

// Owned by the engine state; one request at a time (the engine's lock is held). Destroying it ends the worker.
class TCheckerClient {
public:
  TCheckerClient() = default;
  ~TCheckerClient();
  TCheckerClient(const TCheckerClient&) = delete;
  TCheckerClient& operator=(const TCheckerClient&) = delete;

  // Checks one document. False with Why (a sentence for the user) when the worker could not be started, crashed,
  // ran out of time or memory, or answered nonsense; the worker is then ended and the next request starts a new
  // one.
  bool Check(const TCheckerRequest& Request, TCheckerReply& Reply, std::string& Why);
  // The same in two steps, so that the caller can work while the worker checks: Begin hands the document over,
  // Finish waits for the reply. Finish follows every successful Begin; the request's text may go after Begin.
  bool Begin(const TCheckerRequest& Request, std::string& Why);
  bool Finish(TCheckerReply& Reply, std::string& Why);
  // Ends the worker (if any) and waits for it.
  void Stop();
  // The worker's process id, or -1 while there is none.
  pid_t WorkerId() const { return Pid; }

private:
  bool Start(std::string& Why);
  bool Fail(bool TimedOut, std::string& Why);
  std::string WhyEnded();
  // Puts Text at the start of the shared block, growing it as needed; false when there is no block (the text
  // then goes over the channel).
  bool PutShared(std::string_view Text);

  pid_t Pid = -1;
  int Fd = -1;
  std::chrono::steady_clock::time_point Deadline;
  std::string ReplyBuffer;
  // Documents reach the worker through a block of memory both map, kept from document to document (and from
  // worker to worker), so that a large page is neither copied through the channel nor faulted in again.
  int SharedFd = -1;
  char* SharedData = nullptr;
  std::size_t SharedSize = 0;
};

// The worker executable: beside the engine library, or where ZUBQ_ENGINE_WORKER names.
std::string CheckerWorkerPath();

}  // namespace zubengine
