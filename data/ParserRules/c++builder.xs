// C++Builder highlighter rules of ZUB Quillon.
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
Normal 'auto' Normal tresword
Normal 'break' Normal tresword
Normal 'case' Normal tresword
Normal 'char' Normal tresword
Normal 'const' Normal tresword
Normal 'continue' Normal tresword
Normal 'default' Normal tresword
Normal 'do' Normal tresword
Normal 'double' Normal tresword
Normal 'else' Normal tresword
Normal 'enum' Normal tresword
Normal 'extern' Normal tresword
Normal 'float' Normal tresword
Normal 'for' Normal tresword
Normal 'goto' Normal tresword
Normal 'if' Normal tresword
Normal 'inline' Normal tresword
Normal 'int' Normal tresword
Normal 'long' Normal tresword
Normal 'register' Normal tresword
Normal 'restrict' Normal tresword
Normal 'return' Normal tresword
Normal 'short' Normal tresword
Normal 'signed' Normal tresword
Normal 'sizeof' Normal tresword
Normal 'static' Normal tresword
Normal 'struct' Normal tresword
Normal 'switch' Normal tresword
Normal 'typedef' Normal tresword
Normal 'union' Normal tresword
Normal 'unsigned' Normal tresword
Normal 'void' Normal tresword
Normal 'volatile' Normal tresword
Normal 'while' Normal tresword
Normal '_Bool' Normal tresword
Normal '_Complex' Normal tresword
Normal 'alignas' Normal tresword
Normal 'alignof' Normal tresword
Normal 'and' Normal tresword
Normal 'and_eq' Normal tresword
Normal 'asm' Normal tresword
Normal 'bitand' Normal tresword
Normal 'bitor' Normal tresword
Normal 'bool' Normal tresword
Normal 'catch' Normal tresword
Normal 'class' Normal tresword
Normal 'compl' Normal tresword
Normal 'concept' Normal tresword
Normal 'consteval' Normal tresword
Normal 'constexpr' Normal tresword
Normal 'constinit' Normal tresword
Normal 'const_cast' Normal tresword
Normal 'co_await' Normal tresword
Normal 'co_return' Normal tresword
Normal 'co_yield' Normal tresword
Normal 'decltype' Normal tresword
Normal 'delete' Normal tresword
Normal 'dynamic_cast' Normal tresword
Normal 'explicit' Normal tresword
Normal 'export' Normal tresword
Normal 'false' Normal tresword
Normal 'friend' Normal tresword
Normal 'mutable' Normal tresword
Normal 'namespace' Normal tresword
Normal 'new' Normal tresword
Normal 'noexcept' Normal tresword
Normal 'not' Normal tresword
Normal 'not_eq' Normal tresword
Normal 'nullptr' Normal tresword
Normal 'operator' Normal tresword
Normal 'or' Normal tresword
Normal 'or_eq' Normal tresword
Normal 'private' Normal tresword
Normal 'protected' Normal tresword
Normal 'public' Normal tresword
Normal 'reinterpret_cast' Normal tresword
Normal 'requires' Normal tresword
Normal 'static_assert' Normal tresword
Normal 'static_cast' Normal tresword
Normal 'template' Normal tresword
Normal 'this' Normal tresword
Normal 'thread_local' Normal tresword
Normal 'throw' Normal tresword
Normal 'true' Normal tresword
Normal 'try' Normal tresword
Normal 'typeid' Normal tresword
Normal 'typename' Normal tresword
Normal 'using' Normal tresword
Normal 'virtual' Normal tresword
Normal 'wchar_t' Normal tresword
Normal 'char8_t' Normal tresword
Normal 'char16_t' Normal tresword
Normal 'char32_t' Normal tresword
Normal 'xor' Normal tresword
Normal 'xor_eq' Normal tresword
Normal 'override' Normal tresword
Normal 'final' Normal tresword
Normal '__fastcall' Normal tresword2
Normal '__stdcall' Normal tresword2
Normal '__cdecl' Normal tresword2
Normal '__pascal' Normal tresword2
Normal '__closure' Normal tresword2
Normal '__property' Normal tresword2
Normal '__published' Normal tresword2
Normal '__declspec' Normal tresword2
Normal '__int8' Normal tresword2
Normal '__int16' Normal tresword2
Normal '__int32' Normal tresword2
Normal '__int64' Normal tresword2
Normal '__classid' Normal tresword2
Normal '__finally' Normal tresword2
Normal '__try' Normal tresword2
Normal '__except' Normal tresword2
Normal '__thread' Normal tresword2
Normal '__rtti' Normal tresword2
Normal '_fastcall' Normal tresword2
Normal '_stdcall' Normal tresword2
Normal '_cdecl' Normal tresword2
Normal 'dynamic' Normal tresword2
Normal 'size_t' Normal tresword1
Normal 'ptrdiff_t' Normal tresword1
Normal 'int8_t' Normal tresword1
Normal 'int16_t' Normal tresword1
Normal 'int32_t' Normal tresword1
Normal 'int64_t' Normal tresword1
Normal 'uint8_t' Normal tresword1
Normal 'uint16_t' Normal tresword1
Normal 'uint32_t' Normal tresword1
Normal 'uint64_t' Normal tresword1
Normal 'intptr_t' Normal tresword1
Normal 'uintptr_t' Normal tresword1
Normal 'FILE' Normal tresword1
Normal 'NULL' Normal tresword1
Normal 'EOF' Normal tresword1
Normal 'std' Normal tresword1
Normal 'string' Normal tresword1
Normal 'vector' Normal tresword1
Normal 'map' Normal tresword1
Normal 'AnsiString' Normal tresword1
Normal 'String' Normal tresword1
Normal 'UnicodeString' Normal tresword1
Normal 'WideString' Normal tresword1
Normal 'TObject' Normal tresword1
Normal 'TComponent' Normal tresword1
Normal 'TForm' Normal tresword1
Normal 'TNotifyEvent' Normal tresword1
Normal 'Set' Normal tresword1
Normal 'DynamicArray' Normal tresword1
Normal 'Variant' Normal tresword1
Normal 'Currency' Normal tresword1
Normal 'TDateTime' Normal tresword1
Normal [0-9]+[uUlL]* Normal tinteger
Normal 0[xX][0-9a-fA-F]+[uUlL]* Normal tinteger
Normal [0-9]+[eE][\-+]|[0-9]+[fFlLdDmM]| Normal tfloat
Normal [0-9]+\.[0-9]*{[eE][\-+]|[0-9]+}|[fFlLdDmM]| Normal tfloat
Normal \.[0-9]+{[eE][\-+]|[0-9]+}|[fFlLdDmM]| Normal tfloat
Normal "[^"]* Normal tstring
Normal "[^"\\]*{\\.[^"\\]*}*" Normal tstring
Normal #39[^#39]* Normal tstring
Normal #39[^#39\\]*{\\.[^#39\\]*}*#39 Normal tstring
Normal //.* Normal tcomment
Normal /\* Comment tcomment
Comment [^*]+ Comment tcomment
Comment \* Comment tcomment
Comment \*/ Normal tcomment
// Preprocessor directives at the start of a line, and the header name of an include.
Normal ^\#[#32#9]*[a-zA-Z_]+ Normal tdirective
Normal ^[#32#9]+\#[#32#9]*[a-zA-Z_]+ Normal tdirective
Normal <[a-zA-Z0-9_./]+\.h> Normal tstring
