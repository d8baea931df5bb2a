// C# highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters={}()[];,.=+-*/%<>!&|^~?:"'#
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
State=Verbatim, CaseSensitive
Normal 'abstract' Normal tresword
Normal 'as' Normal tresword
Normal 'base' Normal tresword
Normal 'break' Normal tresword
Normal 'case' Normal tresword
Normal 'catch' Normal tresword
Normal 'checked' Normal tresword
Normal 'class' Normal tresword
Normal 'const' Normal tresword
Normal 'continue' Normal tresword
Normal 'default' Normal tresword
Normal 'delegate' Normal tresword
Normal 'do' Normal tresword
Normal 'else' Normal tresword
Normal 'enum' Normal tresword
Normal 'event' Normal tresword
Normal 'explicit' Normal tresword
Normal 'extern' Normal tresword
Normal 'false' Normal tresword
Normal 'finally' Normal tresword
Normal 'fixed' Normal tresword
Normal 'for' Normal tresword
Normal 'foreach' Normal tresword
Normal 'goto' Normal tresword
Normal 'if' Normal tresword
Normal 'implicit' Normal tresword
Normal 'in' Normal tresword
Normal 'interface' Normal tresword
Normal 'internal' Normal tresword
Normal 'is' Normal tresword
Normal 'lock' Normal tresword
Normal 'namespace' Normal tresword
Normal 'new' Normal tresword
Normal 'null' Normal tresword
Normal 'operator' Normal tresword
Normal 'out' Normal tresword
Normal 'override' Normal tresword
Normal 'params' Normal tresword
Normal 'private' Normal tresword
Normal 'protected' Normal tresword
Normal 'public' Normal tresword
Normal 'readonly' Normal tresword
Normal 'ref' Normal tresword
Normal 'return' Normal tresword
Normal 'sealed' Normal tresword
Normal 'sizeof' Normal tresword
Normal 'stackalloc' Normal tresword
Normal 'static' Normal tresword
Normal 'struct' Normal tresword
Normal 'switch' Normal tresword
Normal 'this' Normal tresword
Normal 'throw' Normal tresword
Normal 'true' Normal tresword
Normal 'try' Normal tresword
Normal 'typeof' Normal tresword
Normal 'unchecked' Normal tresword
Normal 'unsafe' Normal tresword
Normal 'using' Normal tresword
Normal 'virtual' Normal tresword
Normal 'volatile' Normal tresword
Normal 'while' Normal tresword
Normal 'add' Normal tresword
Normal 'alias' Normal tresword
Normal 'async' Normal tresword
Normal 'await' Normal tresword
Normal 'dynamic' Normal tresword
Normal 'get' Normal tresword
Normal 'global' Normal tresword
Normal 'nameof' Normal tresword
Normal 'partial' Normal tresword
Normal 'record' Normal tresword
Normal 'remove' Normal tresword
Normal 'set' Normal tresword
Normal 'value' Normal tresword
Normal 'var' Normal tresword
Normal 'when' Normal tresword
Normal 'where' Normal tresword
Normal 'yield' Normal tresword
Normal 'init' Normal tresword
Normal 'bool' Normal tresword1
Normal 'byte' Normal tresword1
Normal 'char' Normal tresword1
Normal 'decimal' Normal tresword1
Normal 'double' Normal tresword1
Normal 'float' Normal tresword1
Normal 'int' Normal tresword1
Normal 'long' Normal tresword1
Normal 'object' Normal tresword1
Normal 'sbyte' Normal tresword1
Normal 'short' Normal tresword1
Normal 'string' Normal tresword1
Normal 'uint' Normal tresword1
Normal 'ulong' Normal tresword1
Normal 'ushort' Normal tresword1
Normal 'void' Normal tresword1
Normal 'String' Normal tresword1
Normal 'Object' Normal tresword1
Normal 'Int32' Normal tresword1
Normal 'Int64' Normal tresword1
Normal 'Boolean' Normal tresword1
Normal 'Console' Normal tresword1
Normal 'List' Normal tresword1
Normal 'Dictionary' Normal tresword1
Normal 'Task' Normal tresword1
Normal [0-9]+[uUlL]* Normal tinteger
Normal 0[xX][0-9a-fA-F]+[uUlL]* Normal tinteger
Normal [0-9]+[eE][\-+]|[0-9]+[fFdDmM]| Normal tfloat
Normal [0-9]+\.[0-9]*{[eE][\-+]|[0-9]+}|[fFdDmM]| Normal tfloat
Normal \.[0-9]+{[eE][\-+]|[0-9]+}|[fFdDmM]| Normal tfloat
Normal "[^"]* Normal tstring
Normal "[^"\\]*{\\.[^"\\]*}*" Normal tstring
Normal #39[^#39]* Normal tstring
Normal #39[^#39\\]*{\\.[^#39\\]*}*#39 Normal tstring
Normal //.* Normal tcomment
Normal ///.* Normal tdirective
Normal /\* Comment tcomment
Comment [^*]+ Comment tcomment
Comment \* Comment tcomment
Comment \*/ Normal tcomment
Normal ^[#32#9]*\#[a-z]+ Normal tdirective
Normal ^\#[a-z]+ Normal tdirective
// Verbatim strings run over lines; a doubled quote stands for one.
Normal @" Verbatim tstring
Verbatim [^"]+ Verbatim tstring
Verbatim "" Verbatim tstring
Verbatim " Normal tstring
