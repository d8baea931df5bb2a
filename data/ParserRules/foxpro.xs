// FoxPro highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters=()[],;.=+-*/<>!#$%&@"'
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
Normal 'and' Normal tresword
Normal 'as' Normal tresword
Normal 'case' Normal tresword
Normal 'catch' Normal tresword
Normal 'class' Normal tresword
Normal 'define' Normal tresword
Normal 'do' Normal tresword
Normal 'else' Normal tresword
Normal 'enddefine' Normal tresword
Normal 'enddo' Normal tresword
Normal 'endfor' Normal tresword
Normal 'endfunc' Normal tresword
Normal 'endif' Normal tresword
Normal 'endproc' Normal tresword
Normal 'endscan' Normal tresword
Normal 'endtext' Normal tresword
Normal 'endtry' Normal tresword
Normal 'endwith' Normal tresword
Normal 'exit' Normal tresword
Normal 'finally' Normal tresword
Normal 'for' Normal tresword
Normal 'function' Normal tresword
Normal 'if' Normal tresword
Normal 'in' Normal tresword
Normal 'lparameters' Normal tresword
Normal 'local' Normal tresword
Normal 'loop' Normal tresword
Normal 'next' Normal tresword
Normal 'not' Normal tresword
Normal 'or' Normal tresword
Normal 'otherwise' Normal tresword
Normal 'parameters' Normal tresword
Normal 'private' Normal tresword
Normal 'procedure' Normal tresword
Normal 'public' Normal tresword
Normal 'return' Normal tresword
Normal 'scan' Normal tresword
Normal 'step' Normal tresword
Normal 'text' Normal tresword
Normal 'then' Normal tresword
Normal 'to' Normal tresword
Normal 'try' Normal tresword
Normal 'while' Normal tresword
Normal 'with' Normal tresword
Normal 'each' Normal tresword
Normal 'endcase' Normal tresword
Normal 'append' Normal tresword1
Normal 'browse' Normal tresword1
Normal 'clear' Normal tresword1
Normal 'close' Normal tresword1
Normal 'copy' Normal tresword1
Normal 'create' Normal tresword1
Normal 'delete' Normal tresword1
Normal 'display' Normal tresword1
Normal 'edit' Normal tresword1
Normal 'erase' Normal tresword1
Normal 'go' Normal tresword1
Normal 'goto' Normal tresword1
Normal 'index' Normal tresword1
Normal 'insert' Normal tresword1
Normal 'list' Normal tresword1
Normal 'locate' Normal tresword1
Normal 'modify' Normal tresword1
Normal 'pack' Normal tresword1
Normal 'quit' Normal tresword1
Normal 'recall' Normal tresword1
Normal 'release' Normal tresword1
Normal 'replace' Normal tresword1
Normal 'report' Normal tresword1
Normal 'select' Normal tresword1
Normal 'set' Normal tresword1
Normal 'skip' Normal tresword1
Normal 'sort' Normal tresword1
Normal 'store' Normal tresword1
Normal 'sum' Normal tresword1
Normal 'use' Normal tresword1
Normal 'wait' Normal tresword1
Normal 'zap' Normal tresword1
Normal 'seek' Normal tresword1
Normal 'into' Normal tresword1
Normal 'from' Normal tresword1
Normal 'where' Normal tresword1
Normal 'order' Normal tresword1
Normal 'by' Normal tresword1
Normal 'group' Normal tresword1
Normal 'having' Normal tresword1
Normal 'update' Normal tresword1
Normal 'values' Normal tresword1
Normal 'alltrim' Normal tresword2
Normal 'bof' Normal tresword2
Normal 'chr' Normal tresword2
Normal 'ctod' Normal tresword2
Normal 'date' Normal tresword2
Normal 'dtoc' Normal tresword2
Normal 'empty' Normal tresword2
Normal 'eof' Normal tresword2
Normal 'found' Normal tresword2
Normal 'iif' Normal tresword2
Normal 'int' Normal tresword2
Normal 'left' Normal tresword2
Normal 'len' Normal tresword2
Normal 'lower' Normal tresword2
Normal 'ltrim' Normal tresword2
Normal 'max' Normal tresword2
Normal 'min' Normal tresword2
Normal 'mod' Normal tresword2
Normal 'recno' Normal tresword2
Normal 'reccount' Normal tresword2
Normal 'right' Normal tresword2
Normal 'round' Normal tresword2
Normal 'rtrim' Normal tresword2
Normal 'space' Normal tresword2
Normal 'str' Normal tresword2
Normal 'substr' Normal tresword2
Normal 'time' Normal tresword2
Normal 'trim' Normal tresword2
Normal 'type' Normal tresword2
Normal 'upper' Normal tresword2
Normal 'val' Normal tresword2
// A star at the start of a statement, NOTE and && start comments.
Normal ^[#32#9]*\*.* Normal tcomment
Normal ^\*.* Normal tcomment
Normal ^[#32#9]*note[#32#9].* Normal tcomment
Normal ^note[#32#9].* Normal tcomment
Normal &&.* Normal tcomment
Normal "[^"]*" Normal tstring
Normal #39[^#39]*#39 Normal tstring
Normal \[[^\]]*\] Normal tstring
Normal \.[tfny]\. Normal tresword1
Normal \.and\. Normal tresword
Normal \.or\. Normal tresword
Normal \.not\. Normal tresword
Normal [0-9]+ Normal tinteger
Normal [0-9]*\.[0-9]+ Normal tfloat
Normal ^[#32#9]*\#[a-z]+ Normal tdirective
Normal ^\#[a-z]+ Normal tdirective
