// The download pool of a batch run.
#include "batchwizard/Httppool.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchwizardhost.h"
#include "core/Fileinfoextraclass.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"
#include "net/Httpprot.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/Clock.h"
#include "platform/win/Sync.h"

#include <new>
#include <unistd.h>

// The pool's client: the client that also reports where a redirection led with the port it connects to (its own
// location text names the host alone).
class TBatchHttpCli : public THttpCli {
public:
  TBatchHttpCli() : THttpCli(nullptr) {}
  std::string LocationWithPort() const {
    std::string L = CurrentLocation();
    const std::string Prefix = "http://" + FTargetHost;
    if (Proxy.empty() && !FPort.empty() && FPort != "80" && L.compare(0, Prefix.size(), Prefix) == 0 &&
        (L.size() == Prefix.size() || L[Prefix.size()] == '/')) {
      L.insert(Prefix.size(), ":" + FPort);
    }
    return L;
  }
};

namespace {

int RunningRequests() {
  const batchwizclass* S = BatchSettings();
  return S != nullptr ? S->runningHttpRequests : 0;
}

int MaxRequests() {
  const batchwizclass* S = BatchSettings();
  return S != nullptr && S->maxHttpRequests > 0 ? S->maxHttpRequests : 1;
}

void FailTarget(batchwiztargetclass* T) {
  if (T != nullptr) {
    T->setBit(TARGET_PROCESS, false);
    T->setBit(TARGET_FAILED, true);
  }
}

const char* AddressOf(const batchwiztargetclass* T) {
  if (T == nullptr) {
    return "";
  }
  return T->webOrigin != nullptr && T->webOrigin->requestedAddress.length > 0 ? T->webOrigin->requestedAddress.text
                                                                              : T->targetText.text;
}

EkHttpArrayClass* SlotAt(BatchWizardJobClass* Job, int I) {
  return static_cast<EkHttpArrayClass*>(Job->httpSlots.getPointer(I));
}

int BusySlots(BatchWizardJobClass* Job) {
  int N = 0;
  for (int I = 0; I < MaxRequests(); ++I) {
    const EkHttpArrayClass* Slot = SlotAt(Job, I);
    N += Slot != nullptr && Slot->busy() ? 1 : 0;
  }
  return N;
}

// Sweeps for time-outs when a sweep interval has passed since Last. The running count is checked against the
// slots at the same time: outside a start every busy slot has a running request, and a count that lost a request
// would otherwise keep the waits going for ever.
void SweepWhenDue(BatchWizardJobClass* Job, unsigned long long& Last) {
  const unsigned long long Now = Clock().MonotonicNs();
  if (Now - Last >= static_cast<unsigned long long>(SWEEP_INTERVAL_MS) * 1000000ull) {
    Last = Now;
    (void)AbortHttpRequests(Job, ABORT_TIMED_OUT);  // the count is not needed
    if (batchwizclass* S = BatchSettings()) {
      S->runningHttpRequests = BusySlots(Job);
    }
  }
}

}  // namespace

int FreeHttpSlot(void* Element) {
  delete static_cast<EkHttpArrayClass*>(Element);
  return 1;
}

EkHttpArrayClass::EkHttpArrayClass(BatchWizardJobClass* Job) : client(new TBatchHttpCli), job(Job) {
  client->SetTag(reinterpret_cast<NativeInt>(this));
  SetState(SLOT_FREE);
}

EkHttpArrayClass::~EkHttpArrayClass() {
  if (client != nullptr) {
    client->OnRequestDone = nullptr;
    client->OnLocationChange = nullptr;
    client->RcvdStream = nullptr;
  }
  client.reset();
  stream.reset();
}

void EkHttpArrayClass::SetState(int Bits) {
  if ((Bits & SLOT_FREE) != 0) {
    if (client != nullptr) {
      client->RcvdStream = nullptr;
    }
    stream.reset();
    slotState = (slotState & ~(SLOT_TIMED_OUT | SLOT_ABORTED)) | SLOT_FREE;
    slotTarget = nullptr;
    elapsedSeconds = 0;
  } else if ((Bits & SLOT_TAKEN) != 0) {
    slotState &= ~SLOT_FREE;
    startNs = Clock().MonotonicNs();
  }
}

THttpCli* GetFreeHttpSlot(BatchWizardJobClass* Job, int* AbortWord) {
  (void)AbortWord;  // the job reads its host's abort word
  if (Job == nullptr || Job->host == nullptr) {
    return nullptr;
  }
  Job->host->ProcessMessages();
  unsigned long long LastSweep = Clock().MonotonicNs();
  for (;;) {
    const int Max = MaxRequests();
    for (int I = 0; I < Max; ++I) {
      EkHttpArrayClass* Slot = SlotAt(Job, I);
      if (Slot != nullptr && Slot->busy()) {
        continue;
      }
      auto* Fresh = new (std::nothrow) EkHttpArrayClass(Job);
      if (Fresh == nullptr || Job->httpSlots.setPointer(Fresh, I, 1, 1, 0) == 0) {
        delete Fresh;
        return nullptr;
      }
      Fresh->SetState(SLOT_TAKEN);
      return Fresh->client.get();
    }
    if (!Job->poolLimitLogged) {
      Job->poolLimitLogged = true;
      StrStore Line("Maximum concurrent HTTP request limit reached (");
      Job->Log(LOG_L2, Line.appendInt(Max).append("). Waiting for one or more previous requests to complete..."));
    }
    while (BusySlots(Job) >= MaxRequests()) {
      // Stop ends the wait: the run is over and no slot will be needed.
      if (Job->aborted()) {
        return nullptr;
      }
      Job->host->WaitForMessage(WAIT_SLICE_MS);
      SweepWhenDue(Job, LastSweep);
    }
  }
}

namespace {

// The client's settings for the target's download.
void SetUpClient(THttpCli* Client, EkHttpArrayClass* Slot, batchwiztargetclass* T) {
  fileinfoextraclass* Origin = T->webOrigin;
  Client->URL = Origin->requestedAddress.text;
  Client->Agent = Origin->userAgent.text;
  if (fileinfoextraclass::UsesCredentials(Origin, 1) != 0) {
    Client->Username = Origin->userName.text;
    Client->Password = Origin->password.text;
  }
  volatileclass* Vol = EngineOwnerState();
  const int Config = Vol != nullptr ? Vol->configHandle : -1;
  if (Config >= 0 && ZUBCalls.ZUBGetFlag != nullptr && ZUBCalls.ZUBGetString != nullptr &&
      ZUBCalls.ZUBGetFlag(Config, ZUB_CONFIG_NETWORK_OPTIONS, ZUB_NETWORK_USE_PROXY) == 1) {
    auto Text = [Config](int Id) {
      const char* V = ZUBCalls.ZUBGetString(Config, Id);
      return std::string(V != nullptr ? V : "");
    };
    Client->Proxy = Text(ZUB_CONFIG_PROXY_HOST);
    Client->ProxyPort = Text(ZUB_CONFIG_PROXY_PORT);
    Client->ProxyUsername = Text(ZUB_CONFIG_PROXY_USER);
    Client->ProxyPassword = Text(ZUB_CONFIG_PROXY_PASSWORD);
  }
  Client->ModifiedSince = 0;
  Client->OnLocationChange = [Origin](TObject* Sender) {
    Origin->OnLocationChange(Sender);
    if (auto* C = dynamic_cast<TBatchHttpCli*>(Sender)) {
      Origin->redirectTarget = C->LocationWithPort().c_str();
    }
  };
  Client->OnRequestDone = [Slot](TObject* Sender, THttpRequest, Word Error) { HttpRequestDone(Slot, Sender, Error); };
  Slot->slotTarget = T;
}

// Starts the download of one web target. -1 when no slot could be had, else 0.
int StartOne(BatchWizardJobClass* Job, batchwiztargetclass* T, int& Started) {
  fileinfoextraclass* Origin = T->webOrigin;
  StrStore Line;
  if (Origin == nullptr) {
    Line.assign("Cannot download \"").appendStore(T->targetText);
    Job->Log(LOG_L1, Line.append("\" because the target has no web address. This target will not be processed."),
             LOG_ERROR);
    FailTarget(T);
    return 0;
  }
  Origin->ClearRedirect(1);
  Origin->requestedAddress = RemoveUrlAnchor(Origin->address.text);
  if (Origin->requestedAddress.startsWithNoCase("https") != 0) {
    Line.assign("Cannot open \"").appendStore(Origin->requestedAddress);
    Job->Log(LOG_L1, Line.append("\" because it is an HTTPS link and HTTPS is not supported."), LOG_ERROR);
    FailTarget(T);
    return 0;
  }
  THttpCli* Client = GetFreeHttpSlot(Job, &Job->host->abortWord);
  if (Client == nullptr) {
    return -1;
  }
  auto* Slot = reinterpret_cast<EkHttpArrayClass*>(Client->Tag());
  const batchwizclass* S = BatchSettings();
  // The process id keeps the files of two instances sharing a working folder apart.
  StrStore File(S != nullptr ? S->workingDirectory : StrStore());
  File.appendChar(PathDelim).append("ZUB").appendInt(static_cast<int>(::getpid())).append("-");
  File.appendInt(T->targetId).append("temp.html");
  Origin->localFile = File;
  try {
    Slot->stream = std::make_unique<TFileStream>(File.text, fmCreate);
  } catch (...) {
    Line.assign("Failed to initialize RcvdStream with \"").appendStore(File);
    Job->Log(LOG_L1, Line.append("\". This target will not be processed."), LOG_ERROR);
    FailTarget(T);
    Slot->SetState(SLOT_FREE);
    return 0;
  }
  Client->RcvdStream = Slot->stream.get();
  SetUpClient(Client, Slot, T);
  if (!BatchWizardJobClass::downloadNoteRead && ZUBCalls.ZUBGetInteger3EZ != nullptr) {
    BatchWizardJobClass::downloadNoteRead = true;
    (void)ZUBCalls.ZUBGetInteger3EZ(ZUB_DOWNLOAD_NOTE);  // read once before the first download; not used
  }
  try {
    Client->GetASync();
  } catch (...) {
    Line.assign("THTTPCli failed? StatusCode: ").appendInt(Client->StatusCode()).append("ReasonPhrase: ");
    Line.append(Client->ReasonPhrase().c_str()).append(". This target will not be processed.");
    Job->Log(LOG_L1, Line, LOG_ERROR);
    FailTarget(T);
    Slot->SetState(SLOT_FREE);
    return 0;
  }
  if (S != nullptr) {
    BatchSettings()->runningHttpRequests++;
  }
  ++Started;
  Line.assign("Requested \"").appendStore(Origin->requestedAddress).append("\".");
  Job->Log(LOG_L1, Line);
  return 0;
}

}  // namespace

int StartDownloads(BatchWizardJobClass* Job, int* AbortWord, int Flags) {
  (void)AbortWord;  // the job reads its host's abort word
  if ((Flags & DOWNLOAD_START) == 0 || Job == nullptr || Job->host == nullptr) {
    return 0;
  }
  Job->Log(LOG_L1, StrStore("Initiating HTTP downloads for any URL targets..."));
  if (batchwizclass* S = BatchSettings()) {
    S->runningHttpRequests = 0;
  }
  Job->poolLimitLogged = false;
  int Started = 0;
  int Result = 0;
  for (int I = 0; I < Job->temporaryTargets.getCount(); ++I) {
    Job->host->ProcessMessages();
    if (Job->aborted()) {
      Job->Log(LOG_L1, StrStore(), LOG_ABORT);
      break;
    }
    auto* T = static_cast<batchwiztargetclass*>(Job->temporaryTargets.getPointer(I));
    if (T == nullptr || !T->has(TARGET_URL) || T->has(TARGET_DOWNLOAD_REQUESTED)) {
      continue;
    }
    T->setBit(TARGET_DOWNLOAD_REQUESTED, true);
    if (StartOne(Job, T, Started) < 0) {
      Result = -1;
      break;
    }
  }
  StrStore Line("Initiated a total of ");
  Line.appendInt(Started).append(" URL ").append(Started == 1 ? "download." : "downloads.");
  Job->Log(LOG_L1, Line);
  return Result;
}

void HttpRequestDone(EkHttpArrayClass* Slot, TObject* Sender, unsigned short Error) {
  auto* Client = dynamic_cast<THttpCli*>(Sender);
  if (Slot == nullptr || Client == nullptr || Client != Slot->client.get() || !Slot->busy()) {
    return;
  }
  BatchWizardJobClass* Job = Slot->job;
  if (batchwizclass* S = BatchSettings()) {
    S->runningHttpRequests--;
  }
  Client->RcvdStream = nullptr;
  Slot->stream.reset();  // the download file is complete
  batchwiztargetclass* T = Slot->slotTarget;
  const int Status = Client->StatusCode();
  StrStore Line;
  const auto Tail = [&](StrStore& L) {
    L.append("Error: ").appendInt(Error).append(", Status: ").appendInt(Status).append(", Reason: ");
    L.append(Client->ReasonPhrase().c_str()).append(". This target will not be processed.");
  };
  if ((Slot->slotState & SLOT_TIMED_OUT) != 0) {
    Line.assign("A timeout occurred (in ").appendStore(FormatSeconds(Slot->elapsedSeconds, "%.1f"));
    Line.append("s) for the request \"").append(AddressOf(T)).append("\". ");
    Tail(Line);
    Job->Log(LOG_L1, Line, LOG_ERROR);
    FailTarget(T);
  } else if (Error == 0 && Status > 0 && Status < 400 && Status != 301) {
    const int Length = Client->RcvdContentLength();
    if (Length >= 0 && Client->RcvdBodyCount() < Length) {
      // A reply that ended before its announced length is a broken download, not a document.
      Line.assign("The download of \"").append(AddressOf(T)).append("\" ended early: ");
      Line.appendInt(Client->RcvdBodyCount()).append(" of ").appendInt(Length);
      Job->Log(LOG_L1, Line.append(" bytes were received. This target will not be processed."), LOG_ERROR);
      FailTarget(T);
    } else {
      Line.assign("Completed request for \"").append(AddressOf(T)).append("\". Status: ").appendInt(Status);
      Job->Log(LOG_L2, Line.append(", Reason: ").append(Client->ReasonPhrase().c_str()).append("."));
      const StrStore Type(Client->RcvdContentType().c_str());
      const bool PlainCss = Type.startsWithNoCase("text/plain") != 0 &&
                            GetFileExtension(AddressOf(T), 2 | 4).startsWithNoCase("css") != 0;
      if (T != nullptr && (Type.startsWithNoCase("text/css") != 0 || PlainCss)) {
        T->kindFlags |= TARGET_KIND_STYLE_SHEET;
      }
    }
  } else {
    Line.assign("An error occurred for the request \"").append(AddressOf(T)).append("\". ");
    Tail(Line);
    Job->Log(LOG_L1, Line, LOG_ERROR);
    FailTarget(T);
  }
  Slot->SetState(SLOT_FREE);
}

int AbortHttpRequests(BatchWizardJobClass* Job, int Flags) {
  if (Job == nullptr) {
    return 0;
  }
  const HANDLE Semaphore = prg != nullptr ? prg->downloadSemaphore : 0;
  const bool Held = Semaphore != 0 && WaitForSingleObject(Semaphore, INFINITE) == WAIT_OBJECT_0;
  const batchwizclass* S = BatchSettings();
  const double Timeout = S != nullptr ? S->downloadTimeout : 60;
  int Count = 0;
  for (int I = 0; I < MaxRequests(); ++I) {
    EkHttpArrayClass* Slot = SlotAt(Job, I);
    if (Slot == nullptr || !Slot->busy()) {
      continue;
    }
    const double Seconds = SecondsSince(Slot->startNs);
    if ((Flags & ABORT_ALL) != 0) {
      Slot->slotState |= SLOT_ABORTED;
    } else if ((Flags & ABORT_TIMED_OUT) != 0 && Seconds > Timeout) {
      Slot->slotState |= SLOT_TIMED_OUT;
      Slot->elapsedSeconds = Seconds;
    } else {
      continue;
    }
    try {
      Slot->client->Abort();
    } catch (...) {
      // The client reports the end of the request all the same.
    }
    ++Count;
  }
  // Messages are pumped only after the semaphore is released: other instances wait for it without a limit.
  if (Held) {
    (void)ReleaseSemaphore(Semaphore, 1, nullptr);  // held by this process, so the release cannot be refused
  }
  if (Count > 0 && Job->host != nullptr) {
    Job->host->ProcessMessages();
  }
  return Count;
}

void WaitForDownloads(BatchWizardJobClass* Job, int* AbortWord, int Flags) {
  (void)AbortWord;  // the job reads its host's abort word
  if ((Flags & DOWNLOAD_WAIT) == 0 || Job == nullptr || Job->host == nullptr) {
    return;
  }
  Job->Log(LOG_L1, StrStore("Waiting for all (if any) HTTP downloads to finish..."));
  int Last = -1;
  unsigned long long LastSweep = Clock().MonotonicNs();
  while (RunningRequests() > 0) {
    Job->host->ProcessMessages();
    const int Now = RunningRequests();
    if (Now != Last && Now > 0) {
      StrStore Line;
      Job->Log(LOG_L2, Line.appendInt(Now).append(" left to go."));
    }
    Last = Now;
    if (Job->aborted()) {
      Job->Log(LOG_L1, StrStore(), LOG_ABORT);
      break;
    }
    if (Now == 0) {
      break;
    }
    Job->host->WaitForMessage(WAIT_SLICE_MS);
    SweepWhenDue(Job, LastSweep);
  }
}

void FinishAbortedDownloads(BatchWizardJobClass* Job) {
  const unsigned long long Start = Clock().MonotonicNs();
  while (RunningRequests() > 0 && SecondsSince(Start) < 2.0 && Job->host != nullptr) {
    Job->host->WaitForMessage(WAIT_SLICE_MS);
  }
}
