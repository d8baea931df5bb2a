// CSS highlighter rules of ZUB Quillon: selectors, properties, values, units, colours, at-rules, comments, strings and addresses.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters={}:;,()>+~*="'/
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
State=Selector
State=Block
State=Value
State=AtRule
State=AtBlock
State=CommentSel
State=CommentBlock
State=CommentValue
State=CommentAt
State=CommentAtBlock
State=StringDQ
State=StringSQ
State=UrlDQ
State=UrlSQ
// Selectors: element names, classes, ids, pseudo-classes and attribute selectors.
Selector [a-z_\-][a-z0-9_\-]* Selector tresword
Selector \.[a-z_\-][a-z0-9_\-]* Selector tident
Selector \#[a-z_\-][a-z0-9_\-]* Selector tident
Selector :[a-z\-]+ Selector tresword1
Selector ::[a-z\-]+ Selector tresword1
Selector \[[^\]]*\] Selector tident
Selector \{ Block tnone
Selector \} Selector tnone
Selector <\!-- Selector tcomment
Selector --> Selector tcomment
// At-rules: @media and its kind hold rule sets, @font-face and @page hold declarations.
Selector @[a-z\-]+ AtRule tdirective
Selector @font-face AtBlock tdirective
Selector @page AtBlock tdirective
Selector @viewport AtBlock tdirective
Selector @counter-style AtBlock tdirective
AtRule [a-z_\-][a-z0-9_\-]* AtRule tident
AtRule [0-9]+[a-z%]* AtRule tinteger
AtRule [0-9]*\.[0-9]+[a-z%]* AtRule tfloat
AtRule "[^"]* AtRule tstring
AtRule "[^"\\]*{\\.[^"\\]*}*" AtRule tstring
AtRule #39[^#39]* AtRule tstring
AtRule #39[^#39\\]*{\\.[^#39\\]*}*#39 AtRule tstring
AtRule url([^)]*) AtRule turl
AtRule ; Selector tnone
AtBlock [a-z_\-][a-z0-9_\-]* AtBlock tident
AtBlock [0-9]+[a-z%]* AtBlock tinteger
AtBlock [0-9]*\.[0-9]+[a-z%]* AtBlock tfloat
AtBlock "[^"]* AtBlock tstring
AtBlock "[^"\\]*{\\.[^"\\]*}*" AtBlock tstring
AtBlock #39[^#39]* AtBlock tstring
AtBlock #39[^#39\\]*{\\.[^#39\\]*}*#39 AtBlock tstring
AtBlock url([^)]*) AtBlock turl
AtBlock ; Selector tnone
AtRule 'and' AtRule tresword1
AtRule 'not' AtRule tresword1
AtRule 'only' AtRule tresword1
AtRule \{ Selector tnone
AtBlock :[a-z\-]+ AtBlock tresword1
AtBlock \{ Block tnone
// Declarations: a property, a colon, then its value up to the semicolon or the closing brace.
Block [a-z_\-][a-z0-9_\-]* Block tresword
Block : Value tnone
Block \} Selector tnone
Value [a-z_\-][a-z0-9_\-]* Value tident
Value 'aqua' Value tresword2
Value 'black' Value tresword2
Value 'blue' Value tresword2
Value 'fuchsia' Value tresword2
Value 'gray' Value tresword2
Value 'grey' Value tresword2
Value 'green' Value tresword2
Value 'lime' Value tresword2
Value 'maroon' Value tresword2
Value 'navy' Value tresword2
Value 'olive' Value tresword2
Value 'orange' Value tresword2
Value 'purple' Value tresword2
Value 'red' Value tresword2
Value 'silver' Value tresword2
Value 'teal' Value tresword2
Value 'white' Value tresword2
Value 'yellow' Value tresword2
Value 'transparent' Value tresword2
Value 'currentColor' Value tresword2
Value [0-9]+[a-z%]* Value tinteger
Value \-[0-9]+[a-z%]* Value tinteger
Value [0-9]*\.[0-9]+[a-z%]* Value tfloat
Value \-[0-9]*\.[0-9]+[a-z%]* Value tfloat
Value \.[0-9]+[a-z%]* Value tfloat
Value \#[0-9a-f]+ Value tresword2
Value "[^"]* Value tstring
Value "[^"\\]*{\\.[^"\\]*}*" Value tstring
Value #39[^#39]* Value tstring
Value #39[^#39\\]*{\\.[^#39\\]*}*#39 Value tstring
Value url([^)]*) Value turl
// A string (also one inside url()) that ends its line with a backslash goes on in the next line.
Value "[^"\\]*{\\.[^"\\]*}*\\$ StringDQ tstring
Value url("[^"\\]*{\\.[^"\\]*}*\\$ UrlDQ turl
StringDQ [^"\\]+ StringDQ tstring
StringDQ \\. StringDQ tstring
StringDQ \\ StringDQ tstring
StringDQ " Value tstring
UrlDQ [^"\\]+ UrlDQ turl
UrlDQ \\. UrlDQ turl
UrlDQ \\ UrlDQ turl
UrlDQ " Value turl
UrlDQ "[#32#9]*) Value turl
Value #39[^#39\\]*{\\.[^#39\\]*}*\\$ StringSQ tstring
Value url(#39[^#39\\]*{\\.[^#39\\]*}*\\$ UrlSQ turl
StringSQ [^#39\\]+ StringSQ tstring
StringSQ \\. StringSQ tstring
StringSQ \\ StringSQ tstring
StringSQ #39 Value tstring
UrlSQ [^#39\\]+ UrlSQ turl
UrlSQ \\. UrlSQ turl
UrlSQ \\ UrlSQ turl
UrlSQ #39 Value turl
UrlSQ #39[#32#9]*) Value turl
Value \![#32#9]*important Value tresword1
Value ; Block tnone
Value \} Selector tnone
// Comments, in every state, back to the state they interrupt.
Selector /\* CommentSel tcomment
CommentSel [^*]+ CommentSel tcomment
CommentSel \* CommentSel tcomment
CommentSel \*/ Selector tcomment
Block /\* CommentBlock tcomment
CommentBlock [^*]+ CommentBlock tcomment
CommentBlock \* CommentBlock tcomment
CommentBlock \*/ Block tcomment
Value /\* CommentValue tcomment
CommentValue [^*]+ CommentValue tcomment
CommentValue \* CommentValue tcomment
CommentValue \*/ Value tcomment
AtRule /\* CommentAt tcomment
CommentAt [^*]+ CommentAt tcomment
CommentAt \* CommentAt tcomment
CommentAt \*/ AtRule tcomment
AtBlock /\* CommentAtBlock tcomment
CommentAtBlock [^*]+ CommentAtBlock tcomment
CommentAtBlock \* CommentAtBlock tcomment
CommentAtBlock \*/ AtBlock tcomment
