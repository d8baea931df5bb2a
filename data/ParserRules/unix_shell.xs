// Unix Shell highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters=(){}[];|&<>=$`"'
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
Normal 'if' Normal tresword
Normal 'then' Normal tresword
Normal 'else' Normal tresword
Normal 'elif' Normal tresword
Normal 'fi' Normal tresword
Normal 'case' Normal tresword
Normal 'esac' Normal tresword
Normal 'for' Normal tresword
Normal 'while' Normal tresword
Normal 'until' Normal tresword
Normal 'do' Normal tresword
Normal 'done' Normal tresword
Normal 'in' Normal tresword
Normal 'function' Normal tresword
Normal 'select' Normal tresword
Normal 'time' Normal tresword
Normal 'return' Normal tresword
Normal 'exit' Normal tresword
Normal 'break' Normal tresword
Normal 'continue' Normal tresword
Normal 'export' Normal tresword
Normal 'local' Normal tresword
Normal 'readonly' Normal tresword
Normal 'shift' Normal tresword
Normal 'set' Normal tresword
Normal 'unset' Normal tresword
Normal 'source' Normal tresword
Normal 'alias' Normal tresword
Normal 'unalias' Normal tresword
Normal 'echo' Normal tresword
Normal 'read' Normal tresword
Normal 'test' Normal tresword
Normal 'cd' Normal tresword
Normal 'pwd' Normal tresword
Normal 'eval' Normal tresword
Normal 'exec' Normal tresword
Normal 'trap' Normal tresword
Normal 'wait' Normal tresword
Normal 'true' Normal tresword
Normal 'false' Normal tresword
Normal 'printf' Normal tresword
Normal 'let' Normal tresword
Normal 'declare' Normal tresword
Normal 'typeset' Normal tresword
Normal 'getopts' Normal tresword
Normal 'umask' Normal tresword
Normal \#.* Normal tcomment
Normal ^\#\!.* Normal tdirective
Normal \$[a-zA-Z_][a-zA-Z0-9_]* Normal tident
Normal \$\{[^}]*\} Normal tident
Normal \$[0-9#35?@*$!\-] Normal tident
Normal \$( Normal tdirective
Normal "[^"\\]*{\\.[^"\\]*}*" Normal tstring
Normal #39[^#39]*#39 Normal tstring
Normal `[^`]*` Normal tdirective
Normal [0-9]+ Normal tinteger
