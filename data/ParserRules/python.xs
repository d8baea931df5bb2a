// Python highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters=()[]{},:.;@=+-*/%&|^~<>!"'#
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
State=TripleDouble, CaseSensitive
State=TripleSingle, CaseSensitive
Normal 'False' Normal tresword
Normal 'None' Normal tresword
Normal 'True' Normal tresword
Normal 'and' Normal tresword
Normal 'as' Normal tresword
Normal 'assert' Normal tresword
Normal 'async' Normal tresword
Normal 'await' Normal tresword
Normal 'break' Normal tresword
Normal 'class' Normal tresword
Normal 'continue' Normal tresword
Normal 'def' Normal tresword
Normal 'del' Normal tresword
Normal 'elif' Normal tresword
Normal 'else' Normal tresword
Normal 'except' Normal tresword
Normal 'finally' Normal tresword
Normal 'for' Normal tresword
Normal 'from' Normal tresword
Normal 'global' Normal tresword
Normal 'if' Normal tresword
Normal 'import' Normal tresword
Normal 'in' Normal tresword
Normal 'is' Normal tresword
Normal 'lambda' Normal tresword
Normal 'nonlocal' Normal tresword
Normal 'not' Normal tresword
Normal 'or' Normal tresword
Normal 'pass' Normal tresword
Normal 'raise' Normal tresword
Normal 'return' Normal tresword
Normal 'try' Normal tresword
Normal 'while' Normal tresword
Normal 'with' Normal tresword
Normal 'yield' Normal tresword
Normal 'exec' Normal tresword
Normal 'print' Normal tresword
Normal 'match' Normal tresword
Normal 'case' Normal tresword
Normal 'abs' Normal tresword1
Normal 'all' Normal tresword1
Normal 'any' Normal tresword1
Normal 'bin' Normal tresword1
Normal 'bool' Normal tresword1
Normal 'bytearray' Normal tresword1
Normal 'bytes' Normal tresword1
Normal 'callable' Normal tresword1
Normal 'chr' Normal tresword1
Normal 'classmethod' Normal tresword1
Normal 'compile' Normal tresword1
Normal 'complex' Normal tresword1
Normal 'delattr' Normal tresword1
Normal 'dict' Normal tresword1
Normal 'dir' Normal tresword1
Normal 'divmod' Normal tresword1
Normal 'enumerate' Normal tresword1
Normal 'eval' Normal tresword1
Normal 'filter' Normal tresword1
Normal 'float' Normal tresword1
Normal 'format' Normal tresword1
Normal 'frozenset' Normal tresword1
Normal 'getattr' Normal tresword1
Normal 'globals' Normal tresword1
Normal 'hasattr' Normal tresword1
Normal 'hash' Normal tresword1
Normal 'help' Normal tresword1
Normal 'hex' Normal tresword1
Normal 'id' Normal tresword1
Normal 'input' Normal tresword1
Normal 'int' Normal tresword1
Normal 'isinstance' Normal tresword1
Normal 'issubclass' Normal tresword1
Normal 'iter' Normal tresword1
Normal 'len' Normal tresword1
Normal 'list' Normal tresword1
Normal 'locals' Normal tresword1
Normal 'map' Normal tresword1
Normal 'max' Normal tresword1
Normal 'memoryview' Normal tresword1
Normal 'min' Normal tresword1
Normal 'next' Normal tresword1
Normal 'object' Normal tresword1
Normal 'oct' Normal tresword1
Normal 'open' Normal tresword1
Normal 'ord' Normal tresword1
Normal 'pow' Normal tresword1
Normal 'property' Normal tresword1
Normal 'range' Normal tresword1
Normal 'repr' Normal tresword1
Normal 'reversed' Normal tresword1
Normal 'round' Normal tresword1
Normal 'set' Normal tresword1
Normal 'setattr' Normal tresword1
Normal 'slice' Normal tresword1
Normal 'sorted' Normal tresword1
Normal 'staticmethod' Normal tresword1
Normal 'str' Normal tresword1
Normal 'sum' Normal tresword1
Normal 'super' Normal tresword1
Normal 'tuple' Normal tresword1
Normal 'type' Normal tresword1
Normal 'vars' Normal tresword1
Normal 'zip' Normal tresword1
Normal 'self' Normal tresword1
Normal 'cls' Normal tresword1
Normal \#.* Normal tcomment
Normal @[a-zA-Z_][a-zA-Z0-9_.]* Normal tdirective
Normal "[^"\\]*{\\.[^"\\]*}*" Normal tstring
Normal #39[^#39\\]*{\\.[^#39\\]*}*#39 Normal tstring
Normal """ TripleDouble tstring
Normal #39#39#39 TripleSingle tstring
Normal """[^"]*""" Normal tstring
Normal #39#39#39[^#39]*#39#39#39 Normal tstring
TripleDouble [^"\\]+ TripleDouble tstring
TripleDouble \\. TripleDouble tstring
TripleDouble " TripleDouble tstring
TripleDouble """ Normal tstring
TripleSingle [^#39\\]+ TripleSingle tstring
TripleSingle \\. TripleSingle tstring
TripleSingle #39 TripleSingle tstring
TripleSingle #39#39#39 Normal tstring
Normal [0-9]+[lLjJ]| Normal tinteger
Normal 0[xX][0-9a-fA-F]+ Normal tinteger
Normal 0[oO][0-7]+ Normal tinteger
Normal 0[bB][01]+ Normal tinteger
Normal [0-9]+\.[0-9]*{[eE][\-+]|[0-9]+}|[jJ]| Normal tfloat
Normal \.[0-9]+{[eE][\-+]|[0-9]+}|[jJ]| Normal tfloat
