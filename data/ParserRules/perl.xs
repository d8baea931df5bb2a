// Perl highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters={}()[];,.=+-*/%<>!&|^~?:"'$@
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
State=Pod, CaseSensitive
Normal 'my' Normal tresword
Normal 'our' Normal tresword
Normal 'local' Normal tresword
Normal 'sub' Normal tresword
Normal 'if' Normal tresword
Normal 'elsif' Normal tresword
Normal 'else' Normal tresword
Normal 'unless' Normal tresword
Normal 'while' Normal tresword
Normal 'until' Normal tresword
Normal 'for' Normal tresword
Normal 'foreach' Normal tresword
Normal 'do' Normal tresword
Normal 'last' Normal tresword
Normal 'next' Normal tresword
Normal 'redo' Normal tresword
Normal 'return' Normal tresword
Normal 'use' Normal tresword
Normal 'no' Normal tresword
Normal 'package' Normal tresword
Normal 'require' Normal tresword
Normal 'BEGIN' Normal tresword
Normal 'END' Normal tresword
Normal 'and' Normal tresword
Normal 'or' Normal tresword
Normal 'not' Normal tresword
Normal 'xor' Normal tresword
Normal 'eq' Normal tresword
Normal 'ne' Normal tresword
Normal 'lt' Normal tresword
Normal 'gt' Normal tresword
Normal 'le' Normal tresword
Normal 'ge' Normal tresword
Normal 'cmp' Normal tresword
Normal 'qw' Normal tresword
Normal 'qq' Normal tresword
Normal '__END__' Normal tresword
Normal '__DATA__' Normal tresword
Normal '__FILE__' Normal tresword
Normal '__LINE__' Normal tresword
Normal '__PACKAGE__' Normal tresword
Normal 'print' Normal tresword1
Normal 'printf' Normal tresword1
Normal 'open' Normal tresword1
Normal 'close' Normal tresword1
Normal 'die' Normal tresword1
Normal 'warn' Normal tresword1
Normal 'chomp' Normal tresword1
Normal 'chop' Normal tresword1
Normal 'chr' Normal tresword1
Normal 'ord' Normal tresword1
Normal 'push' Normal tresword1
Normal 'pop' Normal tresword1
Normal 'shift' Normal tresword1
Normal 'unshift' Normal tresword1
Normal 'splice' Normal tresword1
Normal 'split' Normal tresword1
Normal 'join' Normal tresword1
Normal 'keys' Normal tresword1
Normal 'values' Normal tresword1
Normal 'each' Normal tresword1
Normal 'defined' Normal tresword1
Normal 'undef' Normal tresword1
Normal 'ref' Normal tresword1
Normal 'bless' Normal tresword1
Normal 'scalar' Normal tresword1
Normal 'exists' Normal tresword1
Normal 'delete' Normal tresword1
Normal 'sort' Normal tresword1
Normal 'map' Normal tresword1
Normal 'grep' Normal tresword1
Normal 'reverse' Normal tresword1
Normal 'length' Normal tresword1
Normal 'substr' Normal tresword1
Normal 'index' Normal tresword1
Normal 'rindex' Normal tresword1
Normal 'sprintf' Normal tresword1
Normal 'lc' Normal tresword1
Normal 'uc' Normal tresword1
Normal 'lcfirst' Normal tresword1
Normal 'ucfirst' Normal tresword1
Normal 'abs' Normal tresword1
Normal 'int' Normal tresword1
Normal 'sqrt' Normal tresword1
Normal 'rand' Normal tresword1
Normal 'srand' Normal tresword1
Normal 'time' Normal tresword1
Normal 'localtime' Normal tresword1
Normal 'sleep' Normal tresword1
Normal 'exit' Normal tresword1
Normal 'eval' Normal tresword1
Normal 'wantarray' Normal tresword1
Normal 'binmode' Normal tresword1
Normal 'read' Normal tresword1
Normal 'readline' Normal tresword1
Normal 'eof' Normal tresword1
Normal 'opendir' Normal tresword1
Normal 'readdir' Normal tresword1
Normal 'closedir' Normal tresword1
Normal 'mkdir' Normal tresword1
Normal 'rmdir' Normal tresword1
Normal 'unlink' Normal tresword1
Normal 'rename' Normal tresword1
Normal 'system' Normal tresword1
Normal 'exec' Normal tresword1
Normal 'wait' Normal tresword1
Normal 'kill' Normal tresword1
Normal 'sprintf' Normal tresword1
Normal 'pack' Normal tresword1
Normal 'unpack' Normal tresword1
Normal \#.* Normal tcomment
Normal [$@%][a-zA-Z_][a-zA-Z0-9_]*{::[a-zA-Z_][a-zA-Z0-9_]*}* Normal tident
Normal \$[0-9&`'+_./\\,;!@<>\[\]] Normal tident
Normal \$\#[a-zA-Z_]* Normal tident
Normal "[^"\\]*{\\.[^"\\]*}*" Normal tstring
Normal #39[^#39\\]*{\\.[^#39\\]*}*#39 Normal tstring
Normal `[^`]*` Normal tdirective
Normal [0-9]+ Normal tinteger
Normal 0x[0-9a-fA-F]+ Normal tinteger
Normal [0-9]+\.[0-9]+{[eE][\-+]|[0-9]+}| Normal tfloat
Normal ^\#\!.* Normal tdirective
// Documentation blocks from a line starting with = to =cut.
Normal ^=[a-zA-Z]+.* Pod tcomment
Pod .+ Pod tcomment
Pod ^=cut.* Normal tcomment
