// The inner loop of a batch run: one engine job per target, further passes over followed links, and the final
// link check.
#pragma once

class BatchWizardJobClass;
class batchwiztargetclass;
class StrStoreEx;
class PointerArrayManager;

// Runs the run's tool over the temporary list, pass after pass. 0; -1 without a job.
int ProcessArray(int* AbortWord, BatchWizardJobClass* Job);
// The document job of the validate, link-check and spell-check tools: 0 done; -1 no job handle; -2 a kind,
// configuration or flag setting failed; -3 the job could not run; -6 another setting failed; -8 no file name;
// -9 a web target without web origin.
[[nodiscard]] int RunEngineJobOnTarget(batchwiztargetclass* Target, BatchWizardJobClass* Job);
// The tool job of the text tools: 0 done; -1 no job handle; -2 the mode could not be set; -6 another setting
// failed; -3 the job could not run; -7 the tool reported a failure.
[[nodiscard]] int RunToolOnTarget(batchwiztargetclass* Target, int Mode, BatchWizardJobClass* Job);
// Adds the target's links that are to be followed to the job's followed links. 0; -1 no link list; 1 the limit
// was reached already; -3 a link target could not be made.
int AddFollowedLinks(batchwiztargetclass* Target, BatchWizardJobClass* Job);
bool IsLinkToFollow(batchwiztargetclass* Target, BatchWizardJobClass* Job, StrStoreEx* Link);
// The final link check over every temporary target's links. 0; -1 without list or job.
int CheckAllLinks(PointerArrayManager* Temporary, BatchWizardJobClass* Job);
