// JavaScript highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters={}()[];,.=+-*/%<>!&|^~?:"'
Token=tnone
Token=tstring
Token=tcomment
Token=tinteger
Token=tfloat
Token=tresword
Token=tresword1
Token=tresword2
State=Code, CaseSensitive
State=Comment, CaseSensitive
State=Template, CaseSensitive
Code 'break' Code tresword
Code 'case' Code tresword
Code 'catch' Code tresword
Code 'class' Code tresword
Code 'const' Code tresword
Code 'continue' Code tresword
Code 'debugger' Code tresword
Code 'default' Code tresword
Code 'delete' Code tresword
Code 'do' Code tresword
Code 'else' Code tresword
Code 'export' Code tresword
Code 'extends' Code tresword
Code 'finally' Code tresword
Code 'for' Code tresword
Code 'function' Code tresword
Code 'if' Code tresword
Code 'import' Code tresword
Code 'in' Code tresword
Code 'instanceof' Code tresword
Code 'let' Code tresword
Code 'new' Code tresword
Code 'return' Code tresword
Code 'super' Code tresword
Code 'switch' Code tresword
Code 'this' Code tresword
Code 'throw' Code tresword
Code 'try' Code tresword
Code 'typeof' Code tresword
Code 'var' Code tresword
Code 'void' Code tresword
Code 'while' Code tresword
Code 'with' Code tresword
Code 'yield' Code tresword
Code 'async' Code tresword
Code 'await' Code tresword
Code 'of' Code tresword
Code 'static' Code tresword
Code 'get' Code tresword
Code 'set' Code tresword
Code 'true' Code tresword1
Code 'false' Code tresword1
Code 'null' Code tresword1
Code 'undefined' Code tresword1
Code 'NaN' Code tresword1
Code 'Infinity' Code tresword1
Code 'Array' Code tresword2
Code 'Boolean' Code tresword2
Code 'Date' Code tresword2
Code 'Error' Code tresword2
Code 'Function' Code tresword2
Code 'JSON' Code tresword2
Code 'Math' Code tresword2
Code 'Number' Code tresword2
Code 'Object' Code tresword2
Code 'Promise' Code tresword2
Code 'RegExp' Code tresword2
Code 'String' Code tresword2
Code 'Symbol' Code tresword2
Code 'Map' Code tresword2
Code 'Set' Code tresword2
Code 'WeakMap' Code tresword2
Code 'WeakSet' Code tresword2
Code 'window' Code tresword2
Code 'document' Code tresword2
Code 'console' Code tresword2
Code 'navigator' Code tresword2
Code 'location' Code tresword2
Code 'alert' Code tresword2
Code 'prototype' Code tresword2
Code 'arguments' Code tresword2
Code //.* Code tcomment
Code /\* Comment tcomment
Comment [^*]+ Comment tcomment
Comment \* Comment tcomment
Comment \*/ Code tcomment
Code "[^"]* Code tstring
Code "[^"\\]*{\\.[^"\\]*}*" Code tstring
Code #39[^#39]* Code tstring
Code #39[^#39\\]*{\\.[^#39\\]*}*#39 Code tstring
Code [0-9]+n| Code tinteger
Code 0[xX][0-9a-fA-F]+n| Code tinteger
Code [0-9]+[eE][\-+]|[0-9]+ Code tfloat
Code [0-9]+\.[0-9]*{[eE][\-+]|[0-9]+}| Code tfloat
Code \.[0-9]+{[eE][\-+]|[0-9]+}| Code tfloat
// Template literals may run over several lines.
Code ` Template tstring
Template [^`\\]+ Template tstring
Template \\. Template tstring
Template ` Code tstring
