// DFM Files highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters==()[]<>{},.+-:'#
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
State=Binary
State=Items
Normal 'object' Normal tresword
Normal 'inherited' Normal tresword
Normal 'inline' Normal tresword
Normal 'end' Normal tresword
Normal 'item' Normal tresword
Normal 'True' Normal tresword1
Normal 'False' Normal tresword1
Normal 'nil' Normal tresword1
Normal #39[^#39]* Normal tstring
Normal #39[^#39]*#39 Normal tstring
Normal \#[0-9]+ Normal tstring
Normal [0-9]+ Normal tinteger
Normal [0-9]+\.[0-9]+{e[\-+]|[0-9]+}| Normal tfloat
Normal \-[0-9]+ Normal tinteger
Normal \-[0-9]+\.[0-9]+{e[\-+]|[0-9]+}| Normal tfloat
Normal \$[0-9a-f]+ Normal tinteger
Normal [a-z_][a-z0-9_]*: Normal tresword2
// Binary property data in braces runs over several lines.
Normal \{ Binary tinteger
Binary [^}]+ Binary tinteger
Binary \} Normal tinteger
