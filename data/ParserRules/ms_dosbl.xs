// MS-DOS Batch highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters==()<>|&@%"
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
Normal 'call' Normal tresword
Normal 'cd' Normal tresword
Normal 'chdir' Normal tresword
Normal 'choice' Normal tresword
Normal 'cls' Normal tresword
Normal 'copy' Normal tresword
Normal 'del' Normal tresword
Normal 'dir' Normal tresword
Normal 'echo' Normal tresword
Normal 'endlocal' Normal tresword
Normal 'erase' Normal tresword
Normal 'exit' Normal tresword
Normal 'for' Normal tresword
Normal 'goto' Normal tresword
Normal 'if' Normal tresword
Normal 'in' Normal tresword
Normal 'do' Normal tresword
Normal 'md' Normal tresword
Normal 'mkdir' Normal tresword
Normal 'move' Normal tresword
Normal 'not' Normal tresword
Normal 'exist' Normal tresword
Normal 'errorlevel' Normal tresword
Normal 'defined' Normal tresword
Normal 'path' Normal tresword
Normal 'pause' Normal tresword
Normal 'popd' Normal tresword
Normal 'prompt' Normal tresword
Normal 'pushd' Normal tresword
Normal 'rd' Normal tresword
Normal 'ren' Normal tresword
Normal 'rename' Normal tresword
Normal 'rmdir' Normal tresword
Normal 'set' Normal tresword
Normal 'setlocal' Normal tresword
Normal 'shift' Normal tresword
Normal 'start' Normal tresword
Normal 'title' Normal tresword
Normal 'type' Normal tresword
Normal 'ver' Normal tresword
Normal 'verify' Normal tresword
Normal 'vol' Normal tresword
Normal 'xcopy' Normal tresword
Normal 'attrib' Normal tresword
Normal 'find' Normal tresword
Normal 'findstr' Normal tresword
Normal 'more' Normal tresword
Normal 'sort' Normal tresword
Normal 'else' Normal tresword
Normal 'equ' Normal tresword
Normal 'neq' Normal tresword
Normal 'lss' Normal tresword
Normal 'leq' Normal tresword
Normal 'gtr' Normal tresword
Normal 'geq' Normal tresword
Normal 'nul' Normal tresword
Normal 'con' Normal tresword
Normal 'prn' Normal tresword
Normal 'aux' Normal tresword
Normal 'off' Normal tresword
Normal 'on' Normal tresword
Normal rem[#32#9].* Normal tcomment
Normal rem$ Normal tcomment
Normal @rem[#32#9].* Normal tcomment
Normal ::.* Normal tcomment
Normal ^:[a-z0-9_.\-]+ Normal tresword2
Normal ^[#32#9]+:[a-z0-9_.\-]+ Normal tresword2
Normal %[a-z0-9_]+% Normal tident
Normal %[0-9*~] Normal tident
Normal %~[a-z]*[0-9] Normal tident
Normal %%[a-z] Normal tident
Normal \![a-z0-9_]+\! Normal tident
Normal "[^"]*" Normal tstring
Normal @ Normal tdirective
Normal [0-9]+ Normal tinteger
