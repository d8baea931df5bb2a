// XML highlighter rules of ZUB Quillon: elements, attributes, entities, comments, declarations, processing instructions and character data.
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
State=Text, CaseSensitive
State=Tag, CaseSensitive
State=TagDQ, CaseSensitive
State=TagSQ, CaseSensitive
State=TagValue, CaseSensitive
State=Comment, CaseSensitive
State=Declaration, CaseSensitive
State=Instruction, CaseSensitive
State=CData, CaseSensitive
// Text: words (checked by live spelling), entities and the start of every kind of tag.
Text [^<&]+ Text tstring
Text &[a-z][a-z0-9]*; Text tinteger
Text &\#[0-9]+; Text tinteger
Text &\#[xX][0-9a-fA-F]+; Text tinteger
Text <[a-zA-Z_:][a-zA-Z0-9_:.\-]* Tag tresword
Text </[a-zA-Z_:][a-zA-Z0-9_:.\-]* Tag tresword
Text <\!-- Comment tcomment
Text <\![a-zA-Z]+ Declaration tdirective
Text <\!\[CDATA\[ CData tdirective
Text <\? Instruction tdirective
Tag <[a-zA-Z_:][a-zA-Z0-9_:.\-]* Tag tresword
Tag </[a-zA-Z_:][a-zA-Z0-9_:.\-]* Tag tresword
Tag <\!-- Comment tcomment
Tag <\![a-zA-Z]+ Declaration tdirective
Tag <\!\[CDATA\[ CData tdirective
Tag <\? Instruction tdirective
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
