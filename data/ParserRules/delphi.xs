// Delphi highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters={}()[];,.=+-*/<>:^@#$'
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
State=BraceComment
State=ParenComment
State=Directive
Normal 'and' Normal tresword
Normal 'array' Normal tresword
Normal 'as' Normal tresword
Normal 'asm' Normal tresword
Normal 'begin' Normal tresword
Normal 'case' Normal tresword
Normal 'class' Normal tresword
Normal 'const' Normal tresword
Normal 'constructor' Normal tresword
Normal 'destructor' Normal tresword
Normal 'dispinterface' Normal tresword
Normal 'div' Normal tresword
Normal 'do' Normal tresword
Normal 'downto' Normal tresword
Normal 'else' Normal tresword
Normal 'end' Normal tresword
Normal 'except' Normal tresword
Normal 'exports' Normal tresword
Normal 'file' Normal tresword
Normal 'finalization' Normal tresword
Normal 'finally' Normal tresword
Normal 'for' Normal tresword
Normal 'function' Normal tresword
Normal 'goto' Normal tresword
Normal 'if' Normal tresword
Normal 'implementation' Normal tresword
Normal 'in' Normal tresword
Normal 'inherited' Normal tresword
Normal 'initialization' Normal tresword
Normal 'inline' Normal tresword
Normal 'interface' Normal tresword
Normal 'is' Normal tresword
Normal 'label' Normal tresword
Normal 'library' Normal tresword
Normal 'mod' Normal tresword
Normal 'nil' Normal tresword
Normal 'not' Normal tresword
Normal 'object' Normal tresword
Normal 'of' Normal tresword
Normal 'or' Normal tresword
Normal 'out' Normal tresword
Normal 'packed' Normal tresword
Normal 'procedure' Normal tresword
Normal 'program' Normal tresword
Normal 'property' Normal tresword
Normal 'raise' Normal tresword
Normal 'record' Normal tresword
Normal 'repeat' Normal tresword
Normal 'resourcestring' Normal tresword
Normal 'set' Normal tresword
Normal 'shl' Normal tresword
Normal 'shr' Normal tresword
Normal 'string' Normal tresword
Normal 'then' Normal tresword
Normal 'threadvar' Normal tresword
Normal 'to' Normal tresword
Normal 'try' Normal tresword
Normal 'type' Normal tresword
Normal 'unit' Normal tresword
Normal 'until' Normal tresword
Normal 'uses' Normal tresword
Normal 'var' Normal tresword
Normal 'while' Normal tresword
Normal 'with' Normal tresword
Normal 'xor' Normal tresword
Normal 'absolute' Normal tresword2
Normal 'abstract' Normal tresword2
Normal 'assembler' Normal tresword2
Normal 'automated' Normal tresword2
Normal 'cdecl' Normal tresword2
Normal 'default' Normal tresword2
Normal 'dynamic' Normal tresword2
Normal 'export' Normal tresword2
Normal 'external' Normal tresword2
Normal 'far' Normal tresword2
Normal 'forward' Normal tresword2
Normal 'index' Normal tresword2
Normal 'message' Normal tresword2
Normal 'name' Normal tresword2
Normal 'near' Normal tresword2
Normal 'nodefault' Normal tresword2
Normal 'overload' Normal tresword2
Normal 'override' Normal tresword2
Normal 'pascal' Normal tresword2
Normal 'private' Normal tresword2
Normal 'protected' Normal tresword2
Normal 'public' Normal tresword2
Normal 'published' Normal tresword2
Normal 'read' Normal tresword2
Normal 'readonly' Normal tresword2
Normal 'register' Normal tresword2
Normal 'reintroduce' Normal tresword2
Normal 'resident' Normal tresword2
Normal 'safecall' Normal tresword2
Normal 'stdcall' Normal tresword2
Normal 'stored' Normal tresword2
Normal 'virtual' Normal tresword2
Normal 'write' Normal tresword2
Normal 'writeonly' Normal tresword2
Normal 'strict' Normal tresword2
Normal 'sealed' Normal tresword2
Normal 'helper' Normal tresword2
Normal 'reference' Normal tresword2
Normal 'Integer' Normal tresword1
Normal 'Cardinal' Normal tresword1
Normal 'Byte' Normal tresword1
Normal 'Word' Normal tresword1
Normal 'LongInt' Normal tresword1
Normal 'LongWord' Normal tresword1
Normal 'Int64' Normal tresword1
Normal 'Boolean' Normal tresword1
Normal 'Char' Normal tresword1
Normal 'AnsiChar' Normal tresword1
Normal 'WideChar' Normal tresword1
Normal 'Real' Normal tresword1
Normal 'Double' Normal tresword1
Normal 'Single' Normal tresword1
Normal 'Extended' Normal tresword1
Normal 'Currency' Normal tresword1
Normal 'Pointer' Normal tresword1
Normal 'String' Normal tresword1
Normal 'AnsiString' Normal tresword1
Normal 'WideString' Normal tresword1
Normal 'Variant' Normal tresword1
Normal 'TObject' Normal tresword1
Normal 'TClass' Normal tresword1
Normal 'Self' Normal tresword1
Normal 'Result' Normal tresword1
Normal 'True' Normal tresword1
Normal 'False' Normal tresword1
Normal //.* Normal tcomment
Normal \{ BraceComment tcomment
BraceComment [^}]+ BraceComment tcomment
BraceComment \} Normal tcomment
Normal (\* ParenComment tcomment
ParenComment [^*]+ ParenComment tcomment
ParenComment \* ParenComment tcomment
ParenComment \*) Normal tcomment
// Compiler directives look like comments that begin with a dollar sign.
Normal \{\$ Directive tdirective
Directive [^}]+ Directive tdirective
Directive \} Normal tdirective
Normal (\*\$[^*]*\*) Normal tdirective
Normal #39[^#39]* Normal tstring
Normal #39[^#39]*#39 Normal tstring
Normal \#[0-9]+ Normal tstring
Normal \#\$[0-9a-f]+ Normal tstring
Normal [0-9]+ Normal tinteger
Normal \$[0-9a-f]+ Normal tinteger
Normal [0-9]+\.[0-9]+{e[\-+]|[0-9]+}| Normal tfloat
Normal [0-9]+e[\-+]|[0-9]+ Normal tfloat
