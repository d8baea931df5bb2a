// RTF highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters=\{};
Token=tnone
Token=tstring
Token=tcomment
Token=tident
Token=tinteger
Token=tfloat
Token=tresword
Token=tresword1
Token=tresword2
Token=tdirective
State=Normal
// Plain text is checked by live spelling.
Normal [^\\{}]+ Normal tstring
Normal \\[a-z]+\-|[0-9]*#32| Normal tresword
Normal \\[^a-z] Normal tresword1
Normal \\#39[0-9a-f][0-9a-f] Normal tinteger
Normal \\\* Normal tdirective
Normal [{}] Normal tident
