// Message type and kind names, the XML report of a result, and the line helpers of jobs.
#include "engine/EngineTexts.h"

#include "engine/EngineHandles.h"

#include <fstream>
#include <sstream>

namespace zubengine {

namespace {

std::string XmlText(std::string_view S) {
  std::string R;
  R.reserve(S.size());
  for (char C : S) {
    switch (C) {
      case '&': R += "&amp;"; break;
      case '<': R += "&lt;"; break;
      case '>': R += "&gt;"; break;
      case '"': R += "&quot;"; break;
      default: R += C;
    }
  }
  return R;
}

std::string ReportLine(const TMessage& M, int Number) {
  std::string L = "  <message number=\"" + std::to_string(Number) + "\" type=\"" + TypeName(M.Type) + "\"";
  if (M.Line > 0) {
    L += " line=\"" + std::to_string(M.Line) + "\"";
  }
  if (M.Char > 0) {
    L += " character=\"" + std::to_string(M.Char) + "\" length=\"" + std::to_string(M.Length) + "\"";
  }
  if (!M.Category.empty()) {
    L += " category=\"" + XmlText(M.Category) + "\"";
  }
  if (M.Id > 0) {
    L += " id=\"" + std::to_string(M.Id) + "\"";
  }
  L += ">" + XmlText(M.Text) + "</message>";
  return L;
}

}  // namespace

const char* TypeName(int Type) {
  switch (Type) {
    case MsgError: return "Error";
    case MsgWarning: return "Warning";
    case MsgComment: return "Comment";
    case MsgMessage: return "Message";
    default: return "Unknown";
  }
}

const char* KindText(int Kind) {
  if ((Kind & (KindStyle | KindAccessibility)) == (KindStyle | KindAccessibility)) {
    return "[Style, Accessibility]";
  }
  if (Kind & KindStyle) {
    return "[Style]";
  }
  if (Kind & KindAccessibility) {
    return "[Accessibility]";
  }
  return "";
}

void MakeReport(TResult& R) {
  if (R.ReportMade) {
    return;
  }
  R.ReportMade = true;
  R.Report.clear();
  R.Report.reserve(R.Messages.size() + 3);
  R.Report.push_back("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  R.Report.push_back("<validationresults engine=\"6.0100\" file=\"" + XmlText(R.Name) + "\" errors=\"" +
                     std::to_string(R.Errors) + "\" warnings=\"" + std::to_string(R.Warnings) + "\">");
  int Number = 0;
  for (const TMessage& M : R.Messages) {
    R.Report.push_back(ReportLine(M, ++Number));
  }
  R.Report.push_back("</validationresults>");
}

std::vector<std::string> SplitLines(std::string_view Text) {
  std::vector<std::string> Out;
  std::size_t Pos = 0;
  while (Pos <= Text.size()) {
    const std::size_t E = Text.find('\n', Pos);
    if (E == std::string_view::npos) {
      if (Pos < Text.size()) {
        Out.emplace_back(Text.substr(Pos));
      }
      break;
    }
    std::size_t L = E;
    if (L > Pos && Text[L - 1] == '\r') {
      --L;
    }
    Out.emplace_back(Text.substr(Pos, L - Pos));
    Pos = E + 1;
  }
  return Out;
}

std::string JoinLines(const std::vector<std::string>& Lines) {
  std::size_t N = 0;
  for (const auto& L : Lines) {
    N += L.size() + 1;
  }
  std::string T;
  T.reserve(N);
  for (const auto& L : Lines) {
    T += L;
    T += '\n';
  }
  return T;
}

bool ReadFileBytes(const std::string& Name, std::string& Out) {
  std::ifstream F(Name, std::ios::binary);
  if (!F) {
    return false;
  }
  std::ostringstream B;
  B << F.rdbuf();
  Out = B.str();
  return true;
}

std::string FolderOf(const std::string& Name) {
  const std::size_t S = Name.find_last_of('/');
  return S == std::string::npos ? std::string() : Name.substr(0, S + 1);
}

}  // namespace zubengine
