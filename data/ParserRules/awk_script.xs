// AWK Script highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters={}()[];,=+-*/%<>!&|^~?:"$
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
Normal 'BEGIN' Normal tresword
Normal 'END' Normal tresword
Normal 'BEGINFILE' Normal tresword
Normal 'ENDFILE' Normal tresword
Normal 'function' Normal tresword
Normal 'func' Normal tresword
Normal 'if' Normal tresword
Normal 'else' Normal tresword
Normal 'while' Normal tresword
Normal 'for' Normal tresword
Normal 'do' Normal tresword
Normal 'break' Normal tresword
Normal 'continue' Normal tresword
Normal 'next' Normal tresword
Normal 'nextfile' Normal tresword
Normal 'exit' Normal tresword
Normal 'return' Normal tresword
Normal 'delete' Normal tresword
Normal 'in' Normal tresword
Normal 'getline' Normal tresword
Normal 'print' Normal tresword
Normal 'printf' Normal tresword
Normal 'length' Normal tresword1
Normal 'substr' Normal tresword1
Normal 'index' Normal tresword1
Normal 'split' Normal tresword1
Normal 'sub' Normal tresword1
Normal 'gsub' Normal tresword1
Normal 'gensub' Normal tresword1
Normal 'match' Normal tresword1
Normal 'sprintf' Normal tresword1
Normal 'sin' Normal tresword1
Normal 'cos' Normal tresword1
Normal 'atan2' Normal tresword1
Normal 'exp' Normal tresword1
Normal 'log' Normal tresword1
Normal 'sqrt' Normal tresword1
Normal 'int' Normal tresword1
Normal 'rand' Normal tresword1
Normal 'srand' Normal tresword1
Normal 'tolower' Normal tresword1
Normal 'toupper' Normal tresword1
Normal 'system' Normal tresword1
Normal 'close' Normal tresword1
Normal 'fflush' Normal tresword1
Normal 'strftime' Normal tresword1
Normal 'systime' Normal tresword1
Normal 'asort' Normal tresword1
Normal 'asorti' Normal tresword1
Normal 'NR' Normal tresword2
Normal 'NF' Normal tresword2
Normal 'FS' Normal tresword2
Normal 'OFS' Normal tresword2
Normal 'ORS' Normal tresword2
Normal 'RS' Normal tresword2
Normal 'FILENAME' Normal tresword2
Normal 'FNR' Normal tresword2
Normal 'SUBSEP' Normal tresword2
Normal 'RSTART' Normal tresword2
Normal 'RLENGTH' Normal tresword2
Normal 'ENVIRON' Normal tresword2
Normal 'ARGC' Normal tresword2
Normal 'ARGV' Normal tresword2
Normal 'CONVFMT' Normal tresword2
Normal 'OFMT' Normal tresword2
Normal 'IGNORECASE' Normal tresword2
Normal \#.* Normal tcomment
Normal \$[0-9]+ Normal tident
Normal \$[a-zA-Z_][a-zA-Z0-9_]* Normal tident
Normal "[^"]* Normal tstring
Normal "[^"\\]*{\\.[^"\\]*}*" Normal tstring
Normal [0-9]+ Normal tinteger
Normal 0[xX][0-9a-fA-F]+ Normal tinteger
Normal [0-9]+[eE][\-+]|[0-9]+ Normal tfloat
Normal [0-9]+\.[0-9]*{[eE][\-+]|[0-9]+}| Normal tfloat
Normal \.[0-9]+{[eE][\-+]|[0-9]+}| Normal tfloat
// A regular expression after a pattern start or an operator.
Normal ^/[^/]*/ Normal tstring
Normal \~[#32#9]*/[^/]*/ Normal tstring
