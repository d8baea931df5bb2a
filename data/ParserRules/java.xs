// Java highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters={}()[];,.=+-*/%<>!&|^~?:"'#@
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
State=Normal, CaseSensitive
State=Comment, CaseSensitive
State=DocComment, CaseSensitive
Normal 'abstract' Normal tresword
Normal 'assert' Normal tresword
Normal 'break' Normal tresword
Normal 'case' Normal tresword
Normal 'catch' Normal tresword
Normal 'class' Normal tresword
Normal 'const' Normal tresword
Normal 'continue' Normal tresword
Normal 'default' Normal tresword
Normal 'do' Normal tresword
Normal 'else' Normal tresword
Normal 'enum' Normal tresword
Normal 'extends' Normal tresword
Normal 'final' Normal tresword
Normal 'finally' Normal tresword
Normal 'for' Normal tresword
Normal 'goto' Normal tresword
Normal 'if' Normal tresword
Normal 'implements' Normal tresword
Normal 'import' Normal tresword
Normal 'instanceof' Normal tresword
Normal 'interface' Normal tresword
Normal 'native' Normal tresword
Normal 'new' Normal tresword
Normal 'package' Normal tresword
Normal 'private' Normal tresword
Normal 'protected' Normal tresword
Normal 'public' Normal tresword
Normal 'return' Normal tresword
Normal 'static' Normal tresword
Normal 'strictfp' Normal tresword
Normal 'super' Normal tresword
Normal 'switch' Normal tresword
Normal 'synchronized' Normal tresword
Normal 'this' Normal tresword
Normal 'throw' Normal tresword
Normal 'throws' Normal tresword
Normal 'transient' Normal tresword
Normal 'try' Normal tresword
Normal 'volatile' Normal tresword
Normal 'while' Normal tresword
Normal 'var' Normal tresword
Normal 'record' Normal tresword
Normal 'yield' Normal tresword
Normal 'sealed' Normal tresword
Normal 'permits' Normal tresword
Normal 'non' Normal tresword
Normal 'boolean' Normal tresword1
Normal 'byte' Normal tresword1
Normal 'char' Normal tresword1
Normal 'double' Normal tresword1
Normal 'float' Normal tresword1
Normal 'int' Normal tresword1
Normal 'long' Normal tresword1
Normal 'short' Normal tresword1
Normal 'void' Normal tresword1
Normal 'String' Normal tresword1
Normal 'Object' Normal tresword1
Normal 'Integer' Normal tresword1
Normal 'Long' Normal tresword1
Normal 'Double' Normal tresword1
Normal 'Boolean' Normal tresword1
Normal 'Character' Normal tresword1
Normal 'System' Normal tresword1
Normal 'Math' Normal tresword1
Normal 'List' Normal tresword1
Normal 'Map' Normal tresword1
Normal 'true' Normal tresword2
Normal 'false' Normal tresword2
Normal 'null' Normal tresword2
Normal [0-9]+[lL]| Normal tinteger
Normal 0[xX][0-9a-fA-F]+[lL]| Normal tinteger
Normal [0-9]+[eE][\-+]|[0-9]+[fFdD]| Normal tfloat
Normal [0-9]+\.[0-9]*{[eE][\-+]|[0-9]+}|[fFdD]| Normal tfloat
Normal \.[0-9]+{[eE][\-+]|[0-9]+}|[fFdD]| Normal tfloat
Normal "[^"]* Normal tstring
Normal "[^"\\]*{\\.[^"\\]*}*" Normal tstring
Normal #39[^#39]* Normal tstring
Normal #39[^#39\\]*{\\.[^#39\\]*}*#39 Normal tstring
Normal //.* Normal tcomment
Normal /\* Comment tcomment
Comment [^*]+ Comment tcomment
Comment \* Comment tcomment
Comment \*/ Normal tcomment
// Documentation comments and their tags.
Normal /\*\* DocComment tcomment
DocComment [^*@]+ DocComment tcomment
DocComment [*@] DocComment tcomment
DocComment @[a-zA-Z]+ DocComment tdirective
DocComment \*/ Normal tcomment
Normal /\*\*/ Normal tcomment
Normal @[a-zA-Z_][a-zA-Z0-9_.]* Normal tdirective
