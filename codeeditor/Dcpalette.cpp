// The palette registrations of the text model, the tokenizers and the script code designers.
#include "codeeditor/Dcpalette.h"

#include "codeeditor/Dccdes.h"
#include "codeeditor/Dccdesdelphi.h"
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Dcstring.h"
#include "platform/classes/DesignHooks.h"

namespace Dcstring {

void Register() { RegisterComponents(SPalettePage, {TMemoSource::StaticClass(), TClipbrdMemoSource::StaticClass()}); }

}  // namespace Dcstring

namespace Dcparser {

void Register() {
  RegisterComponents(
      Dcstring::SPalettePage,
      {THTMLParser::StaticClass(), TSqlParser::StaticClass(), TPerlParser::StaticClass(), TDelphiParser::StaticClass(),
       TDFMParser::StaticClass(), TVBScriptParser::StaticClass(), TJavaScriptParser::StaticClass(),
       TCParser::StaticClass(), TCPPParser::StaticClass(), TPythonParser::StaticClass()});
}

}  // namespace Dcparser

namespace Dccdes {

void Register() {
  RegisterComponents(Dcstring::SPalettePage, {TJsCodeDesigner::StaticClass(), TVbsCodeDesigner::StaticClass(),
                                              TDelphiCodeDesigner::StaticClass(), TPerlCodeDesigner::StaticClass(),
                                              TPythonCodeDesigner::StaticClass()});
}

}  // namespace Dccdes
