// INI File highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters==;[]
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
State=Value
Normal ^[#32#9]*\[[^\]]*\] Normal tresword
Normal ^\[[^\]]*\] Normal tresword
Normal ^[^=;\[#32#9][^=]* Normal tident
Normal ^[#32#9]*;.* Normal tcomment
Normal ^;.* Normal tcomment
Normal ^\#.* Normal tcomment
Normal = Value tnone
// The value runs to the line end.
Value .+ Value tstring
Value $ Normal tstring
