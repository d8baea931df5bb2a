// Texts the engine makes: message type and kind names, a result's XML report, and the line helpers of jobs.
#pragma once

#include "engine/EngineTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace zubengine {

struct TResult;

// The name of a message type ("Error", "Warning"...; "Unknown" for others). A text of the library's own.
const char* TypeName(int Type);
// The text of a message's kind bits ("[Style]"...; empty for none). A text of the library's own.
const char* KindText(int Kind);

// The XML report of a result's messages, one line each between a header and the closing line; made once.
void MakeReport(TResult& R);

// Lines as the program hands them over: split at LF, a CR before it dropped; no line after a final LF.
std::vector<std::string> SplitLines(std::string_view Text);
// The lines, each followed by LF.
std::string JoinLines(const std::vector<std::string>& Lines);
// The whole file as it is stored; false when it cannot be read.
bool ReadFileBytes(const std::string& Name, std::string& Out);
// The folder part of a file name, with its final slash (empty for none).
std::string FolderOf(const std::string& Name);

}  // namespace zubengine
