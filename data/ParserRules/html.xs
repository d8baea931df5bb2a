// HTML highlighter rules of ZUB Quillon: tags, attributes, entities, comments, declarations, processing instructions, embedded style sheets and scripts.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters=<>="'&;/
Token=tnone
Token=tstring
Token=tcomment
Token=tident
Token=tinteger
Token=tfloat
Token=tresword
Token=tresword1
Token=tresword2
Token=turl
Token=tdirective
State=Text
State=Tag
State=TagDQ
State=TagSQ
State=TagValue
State=Comment
State=Declaration
State=Instruction
State=CData
State=StyleTag
State=StyleTagDQ
State=StyleTagSQ
State=StyleTagValue
State=ScriptTag
State=ScriptTagDQ
State=ScriptTagSQ
State=ScriptTagValue
State=CssSelector
State=CssBlock
State=CssValue
State=CssAtRule
State=CssAtBlock
State=CssCommentSel
State=CssCommentBlock
State=CssCommentValue
State=CssCommentAt
State=CssCommentAtBlock
State=CssStringDQ
State=CssStringSQ
State=CssUrlDQ
State=CssUrlSQ
State=JsCode, CaseSensitive
State=JsComment, CaseSensitive
State=JsTemplate, CaseSensitive
// Text: words (checked by live spelling), entities and the start of every kind of tag.
Text [^<&]+ Text tstring
Text &[a-z][a-z0-9]*; Text tinteger
Text &\#[0-9]+; Text tinteger
Text &\#[xX][0-9a-fA-F]+; Text tinteger
Text <[a-z][a-z0-9_:.\-]* Tag tresword
Text </[a-z][a-z0-9_:.\-]* Tag tresword
Text <\!-- Comment tcomment
Text <\![a-zA-Z]+ Declaration tdirective
Text <\!\[CDATA\[ CData tdirective
Text <\? Instruction tdirective
Tag <[a-z][a-z0-9_:.\-]* Tag tresword
Tag </[a-z][a-z0-9_:.\-]* Tag tresword
Tag <\!-- Comment tcomment
Tag <\![a-zA-Z]+ Declaration tdirective
Tag <\!\[CDATA\[ CData tdirective
Tag <\? Instruction tdirective
StyleTag <[a-z][a-z0-9_:.\-]* Tag tresword
StyleTag </[a-z][a-z0-9_:.\-]* Tag tresword
StyleTag <\!-- Comment tcomment
StyleTag <\![a-zA-Z]+ Declaration tdirective
StyleTag <\!\[CDATA\[ CData tdirective
StyleTag <\? Instruction tdirective
ScriptTag <[a-z][a-z0-9_:.\-]* Tag tresword
ScriptTag </[a-z][a-z0-9_:.\-]* Tag tresword
ScriptTag <\!-- Comment tcomment
ScriptTag <\![a-zA-Z]+ Declaration tdirective
ScriptTag <\!\[CDATA\[ CData tdirective
ScriptTag <\? Instruction tdirective
// Style and script elements switch to the style sheet and script states after their tag.
Text <style> CssSelector tresword
Text <style[#32#9] StyleTag tresword
Text <style$ StyleTag tresword
Text <script> JsCode tresword
Text <script[#32#9] ScriptTag tresword
Text <script$ ScriptTag tresword
// Inside tags.
Tag [a-z_:][a-z0-9_:.\-]* Tag tident
Tag = TagValue tnone
// An attribute value: quoted (possibly over several lines) or a run without blanks.
Tag "[^"]* TagDQ tstring
Tag "[^"]*" Tag tstring
Tag #39[^#39]* TagSQ tstring
Tag #39[^#39]*#39 Tag tstring
TagValue "[^"]* TagDQ tstring
TagValue "[^"]*" Tag tstring
TagValue #39[^#39]* TagSQ tstring
TagValue #39[^#39]*#39 Tag tstring
TagValue [^#32#9>"#39]+ Tag tstring
TagValue > Text tresword
Tag > Text tresword
Tag /> Text tresword
Tag \?> Text tdirective
TagDQ [^"]+ TagDQ tstring
TagDQ " Tag tstring
TagSQ [^#39]+ TagSQ tstring
TagSQ #39 Tag tstring
StyleTag [a-z_:][a-z0-9_:.\-]* StyleTag tident
StyleTag = StyleTagValue tnone
// An attribute value: quoted (possibly over several lines) or a run without blanks.
StyleTag "[^"]* StyleTagDQ tstring
StyleTag "[^"]*" StyleTag tstring
StyleTag #39[^#39]* StyleTagSQ tstring
StyleTag #39[^#39]*#39 StyleTag tstring
StyleTagValue "[^"]* StyleTagDQ tstring
StyleTagValue "[^"]*" StyleTag tstring
StyleTagValue #39[^#39]* StyleTagSQ tstring
StyleTagValue #39[^#39]*#39 StyleTag tstring
StyleTagValue [^#32#9>"#39]+ StyleTag tstring
StyleTagValue > CssSelector tresword
StyleTag > CssSelector tresword
StyleTag /> Text tresword
StyleTag \?> Text tdirective
StyleTagDQ [^"]+ StyleTagDQ tstring
StyleTagDQ " StyleTag tstring
StyleTagSQ [^#39]+ StyleTagSQ tstring
StyleTagSQ #39 StyleTag tstring
ScriptTag [a-z_:][a-z0-9_:.\-]* ScriptTag tident
ScriptTag = ScriptTagValue tnone
// An attribute value: quoted (possibly over several lines) or a run without blanks.
ScriptTag "[^"]* ScriptTagDQ tstring
ScriptTag "[^"]*" ScriptTag tstring
ScriptTag #39[^#39]* ScriptTagSQ tstring
ScriptTag #39[^#39]*#39 ScriptTag tstring
ScriptTagValue "[^"]* ScriptTagDQ tstring
ScriptTagValue "[^"]*" ScriptTag tstring
ScriptTagValue #39[^#39]* ScriptTagSQ tstring
ScriptTagValue #39[^#39]*#39 ScriptTag tstring
ScriptTagValue [^#32#9>"#39]+ ScriptTag tstring
ScriptTagValue > JsCode tresword
ScriptTag > JsCode tresword
ScriptTag /> Text tresword
ScriptTag \?> Text tdirective
ScriptTagDQ [^"]+ ScriptTagDQ tstring
ScriptTagDQ " ScriptTag tstring
ScriptTagSQ [^#39]+ ScriptTagSQ tstring
ScriptTagSQ #39 ScriptTag tstring
// Comments, declarations (DOCTYPE), processing instructions and character data.
Comment [^\-]+ Comment tcomment
Comment - Comment tcomment
Comment --> Text tcomment
Declaration [^>"\[]+ Declaration tdirective
Declaration "[^"]*" Declaration tstring
Declaration \[ Text tdirective
Declaration > Text tdirective
Text \]> Text tdirective
Instruction [^?]+ Instruction tdirective
Instruction \? Instruction tdirective
Instruction \?> Text tdirective
CData [^\]]+ CData tstring
CData \] CData tstring
CData \]\]> Text tdirective
// The embedded style sheet.
// Selectors: element names, classes, ids, pseudo-classes and attribute selectors.
CssSelector [a-z_\-][a-z0-9_\-]* CssSelector tresword
CssSelector \.[a-z_\-][a-z0-9_\-]* CssSelector tident
CssSelector \#[a-z_\-][a-z0-9_\-]* CssSelector tident
CssSelector :[a-z\-]+ CssSelector tresword1
CssSelector ::[a-z\-]+ CssSelector tresword1
CssSelector \[[^\]]*\] CssSelector tident
CssSelector \{ CssBlock tnone
CssSelector \} CssSelector tnone
CssSelector <\!-- CssSelector tcomment
CssSelector --> CssSelector tcomment
// At-rules: @media and its kind hold rule sets, @font-face and @page hold declarations.
CssSelector @[a-z\-]+ CssAtRule tdirective
CssSelector @font-face CssAtBlock tdirective
CssSelector @page CssAtBlock tdirective
CssSelector @viewport CssAtBlock tdirective
CssSelector @counter-style CssAtBlock tdirective
CssAtRule [a-z_\-][a-z0-9_\-]* CssAtRule tident
CssAtRule [0-9]+[a-z%]* CssAtRule tinteger
CssAtRule [0-9]*\.[0-9]+[a-z%]* CssAtRule tfloat
CssAtRule "[^"<]* CssAtRule tstring
CssAtRule "[^"\\<]*{\\.[^"\\<]*}*" CssAtRule tstring
CssAtRule #39[^#39<]* CssAtRule tstring
CssAtRule #39[^#39\\<]*{\\.[^#39\\<]*}*#39 CssAtRule tstring
CssAtRule url([^)]*) CssAtRule turl
CssAtRule ; CssSelector tnone
CssAtBlock [a-z_\-][a-z0-9_\-]* CssAtBlock tident
CssAtBlock [0-9]+[a-z%]* CssAtBlock tinteger
CssAtBlock [0-9]*\.[0-9]+[a-z%]* CssAtBlock tfloat
CssAtBlock "[^"<]* CssAtBlock tstring
CssAtBlock "[^"\\<]*{\\.[^"\\<]*}*" CssAtBlock tstring
CssAtBlock #39[^#39<]* CssAtBlock tstring
CssAtBlock #39[^#39\\<]*{\\.[^#39\\<]*}*#39 CssAtBlock tstring
CssAtBlock url([^)]*) CssAtBlock turl
CssAtBlock ; CssSelector tnone
CssAtRule 'and' CssAtRule tresword1
CssAtRule 'not' CssAtRule tresword1
CssAtRule 'only' CssAtRule tresword1
CssAtRule \{ CssSelector tnone
CssAtBlock :[a-z\-]+ CssAtBlock tresword1
CssAtBlock \{ CssBlock tnone
// Declarations: a property, a colon, then its value up to the semicolon or the closing brace.
CssBlock [a-z_\-][a-z0-9_\-]* CssBlock tresword
CssBlock : CssValue tnone
CssBlock \} CssSelector tnone
CssValue [a-z_\-][a-z0-9_\-]* CssValue tident
CssValue 'aqua' CssValue tresword2
CssValue 'black' CssValue tresword2
CssValue 'blue' CssValue tresword2
CssValue 'fuchsia' CssValue tresword2
CssValue 'gray' CssValue tresword2
CssValue 'grey' CssValue tresword2
CssValue 'green' CssValue tresword2
CssValue 'lime' CssValue tresword2
CssValue 'maroon' CssValue tresword2
CssValue 'navy' CssValue tresword2
CssValue 'olive' CssValue tresword2
CssValue 'orange' CssValue tresword2
CssValue 'purple' CssValue tresword2
CssValue 'red' CssValue tresword2
CssValue 'silver' CssValue tresword2
CssValue 'teal' CssValue tresword2
CssValue 'white' CssValue tresword2
CssValue 'yellow' CssValue tresword2
CssValue 'transparent' CssValue tresword2
CssValue 'currentColor' CssValue tresword2
CssValue [0-9]+[a-z%]* CssValue tinteger
CssValue \-[0-9]+[a-z%]* CssValue tinteger
CssValue [0-9]*\.[0-9]+[a-z%]* CssValue tfloat
CssValue \-[0-9]*\.[0-9]+[a-z%]* CssValue tfloat
CssValue \.[0-9]+[a-z%]* CssValue tfloat
CssValue \#[0-9a-f]+ CssValue tresword2
CssValue "[^"<]* CssValue tstring
CssValue "[^"\\<]*{\\.[^"\\<]*}*" CssValue tstring
CssValue #39[^#39<]* CssValue tstring
CssValue #39[^#39\\<]*{\\.[^#39\\<]*}*#39 CssValue tstring
CssValue url([^)]*) CssValue turl
// A string (also one inside url()) that ends its line with a backslash goes on in the next line.
CssValue "[^"\\<]*{\\.[^"\\<]*}*\\$ CssStringDQ tstring
CssValue url("[^"\\<]*{\\.[^"\\<]*}*\\$ CssUrlDQ turl
CssStringDQ [^"\\<]+ CssStringDQ tstring
CssStringDQ \\. CssStringDQ tstring
CssStringDQ \\ CssStringDQ tstring
CssStringDQ " CssValue tstring
CssStringDQ < CssStringDQ tstring
CssUrlDQ [^"\\<]+ CssUrlDQ turl
CssUrlDQ \\. CssUrlDQ turl
CssUrlDQ \\ CssUrlDQ turl
CssUrlDQ " CssValue turl
CssUrlDQ "[#32#9]*) CssValue turl
CssUrlDQ < CssUrlDQ turl
CssValue #39[^#39\\<]*{\\.[^#39\\<]*}*\\$ CssStringSQ tstring
CssValue url(#39[^#39\\<]*{\\.[^#39\\<]*}*\\$ CssUrlSQ turl
CssStringSQ [^#39\\<]+ CssStringSQ tstring
CssStringSQ \\. CssStringSQ tstring
CssStringSQ \\ CssStringSQ tstring
CssStringSQ #39 CssValue tstring
CssStringSQ < CssStringSQ tstring
CssUrlSQ [^#39\\<]+ CssUrlSQ turl
CssUrlSQ \\. CssUrlSQ turl
CssUrlSQ \\ CssUrlSQ turl
CssUrlSQ #39 CssValue turl
CssUrlSQ #39[#32#9]*) CssValue turl
CssUrlSQ < CssUrlSQ turl
CssValue \![#32#9]*important CssValue tresword1
CssValue ; CssBlock tnone
CssValue \} CssSelector tnone
// Comments, in every state, back to the state they interrupt.
CssSelector /\* CssCommentSel tcomment
CssCommentSel [^*<]+ CssCommentSel tcomment
CssCommentSel < CssCommentSel tcomment
CssCommentSel \* CssCommentSel tcomment
CssCommentSel \*/ CssSelector tcomment
CssBlock /\* CssCommentBlock tcomment
CssCommentBlock [^*<]+ CssCommentBlock tcomment
CssCommentBlock < CssCommentBlock tcomment
CssCommentBlock \* CssCommentBlock tcomment
CssCommentBlock \*/ CssBlock tcomment
CssValue /\* CssCommentValue tcomment
CssCommentValue [^*<]+ CssCommentValue tcomment
CssCommentValue < CssCommentValue tcomment
CssCommentValue \* CssCommentValue tcomment
CssCommentValue \*/ CssValue tcomment
CssAtRule /\* CssCommentAt tcomment
CssCommentAt [^*<]+ CssCommentAt tcomment
CssCommentAt < CssCommentAt tcomment
CssCommentAt \* CssCommentAt tcomment
CssCommentAt \*/ CssAtRule tcomment
CssAtBlock /\* CssCommentAtBlock tcomment
CssCommentAtBlock [^*<]+ CssCommentAtBlock tcomment
CssCommentAtBlock < CssCommentAtBlock tcomment
CssCommentAtBlock \* CssCommentAtBlock tcomment
CssCommentAtBlock \*/ CssAtBlock tcomment
// The style block ends at its closing tag, wherever the style sheet stands.
CssSelector </style Tag tresword
CssBlock </style Tag tresword
CssValue </style Tag tresword
CssAtRule </style Tag tresword
CssAtBlock </style Tag tresword
CssCommentSel </style Tag tresword
CssCommentBlock </style Tag tresword
CssCommentValue </style Tag tresword
CssCommentAt </style Tag tresword
CssCommentAtBlock </style Tag tresword
CssStringDQ </style Tag tresword
CssUrlDQ </style Tag tresword
CssStringSQ </style Tag tresword
CssUrlSQ </style Tag tresword
// The embedded script.
JsCode 'break' JsCode tresword
JsCode 'case' JsCode tresword
JsCode 'catch' JsCode tresword
JsCode 'class' JsCode tresword
JsCode 'const' JsCode tresword
JsCode 'continue' JsCode tresword
JsCode 'debugger' JsCode tresword
JsCode 'default' JsCode tresword
JsCode 'delete' JsCode tresword
JsCode 'do' JsCode tresword
JsCode 'else' JsCode tresword
JsCode 'export' JsCode tresword
JsCode 'extends' JsCode tresword
JsCode 'finally' JsCode tresword
JsCode 'for' JsCode tresword
JsCode 'function' JsCode tresword
JsCode 'if' JsCode tresword
JsCode 'import' JsCode tresword
JsCode 'in' JsCode tresword
JsCode 'instanceof' JsCode tresword
JsCode 'let' JsCode tresword
JsCode 'new' JsCode tresword
JsCode 'return' JsCode tresword
JsCode 'super' JsCode tresword
JsCode 'switch' JsCode tresword
JsCode 'this' JsCode tresword
JsCode 'throw' JsCode tresword
JsCode 'try' JsCode tresword
JsCode 'typeof' JsCode tresword
JsCode 'var' JsCode tresword
JsCode 'void' JsCode tresword
JsCode 'while' JsCode tresword
JsCode 'with' JsCode tresword
JsCode 'yield' JsCode tresword
JsCode 'async' JsCode tresword
JsCode 'await' JsCode tresword
JsCode 'of' JsCode tresword
JsCode 'static' JsCode tresword
JsCode 'get' JsCode tresword
JsCode 'set' JsCode tresword
JsCode 'true' JsCode tresword1
JsCode 'false' JsCode tresword1
JsCode 'null' JsCode tresword1
JsCode 'undefined' JsCode tresword1
JsCode 'NaN' JsCode tresword1
JsCode 'Infinity' JsCode tresword1
JsCode 'Array' JsCode tresword2
JsCode 'Boolean' JsCode tresword2
JsCode 'Date' JsCode tresword2
JsCode 'Error' JsCode tresword2
JsCode 'Function' JsCode tresword2
JsCode 'JSON' JsCode tresword2
JsCode 'Math' JsCode tresword2
JsCode 'Number' JsCode tresword2
JsCode 'Object' JsCode tresword2
JsCode 'Promise' JsCode tresword2
JsCode 'RegExp' JsCode tresword2
JsCode 'String' JsCode tresword2
JsCode 'Symbol' JsCode tresword2
JsCode 'Map' JsCode tresword2
JsCode 'Set' JsCode tresword2
JsCode 'WeakMap' JsCode tresword2
JsCode 'WeakSet' JsCode tresword2
JsCode 'window' JsCode tresword2
JsCode 'document' JsCode tresword2
JsCode 'console' JsCode tresword2
JsCode 'navigator' JsCode tresword2
JsCode 'location' JsCode tresword2
JsCode 'alert' JsCode tresword2
JsCode 'prototype' JsCode tresword2
JsCode 'arguments' JsCode tresword2
JsCode //[^<]* JsCode tcomment
JsCode /\* JsComment tcomment
JsComment [^*<]+ JsComment tcomment
JsComment < JsComment tcomment
JsComment \* JsComment tcomment
JsComment \*/ JsCode tcomment
JsCode "[^"<]* JsCode tstring
JsCode "[^"\\<]*{\\.[^"\\<]*}*" JsCode tstring
JsCode #39[^#39<]* JsCode tstring
JsCode #39[^#39\\<]*{\\.[^#39\\<]*}*#39 JsCode tstring
JsCode [0-9]+n| JsCode tinteger
JsCode 0[xX][0-9a-fA-F]+n| JsCode tinteger
JsCode [0-9]+[eE][\-+]|[0-9]+ JsCode tfloat
JsCode [0-9]+\.[0-9]*{[eE][\-+]|[0-9]+}| JsCode tfloat
JsCode \.[0-9]+{[eE][\-+]|[0-9]+}| JsCode tfloat
// Template literals may run over several lines.
JsCode ` JsTemplate tstring
JsTemplate [^`\\<]+ JsTemplate tstring
JsTemplate \\. JsTemplate tstring
JsTemplate ` JsCode tstring
JsTemplate < JsTemplate tstring
// The script block ends at its closing tag, wherever the script stands.
JsCode </[Ss][Cc][Rr][Ii][Pp][Tt] Tag tresword
JsComment </[Ss][Cc][Rr][Ii][Pp][Tt] Tag tresword
JsTemplate </[Ss][Cc][Rr][Ii][Pp][Tt] Tag tresword
