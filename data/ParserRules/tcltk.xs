// Tcl/Tk highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters={}[]();"$\
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
Normal 'after' Normal tresword
Normal 'append' Normal tresword
Normal 'array' Normal tresword
Normal 'break' Normal tresword
Normal 'catch' Normal tresword
Normal 'cd' Normal tresword
Normal 'close' Normal tresword
Normal 'concat' Normal tresword
Normal 'continue' Normal tresword
Normal 'else' Normal tresword
Normal 'elseif' Normal tresword
Normal 'encoding' Normal tresword
Normal 'eof' Normal tresword
Normal 'error' Normal tresword
Normal 'eval' Normal tresword
Normal 'exec' Normal tresword
Normal 'exit' Normal tresword
Normal 'expr' Normal tresword
Normal 'fconfigure' Normal tresword
Normal 'file' Normal tresword
Normal 'flush' Normal tresword
Normal 'for' Normal tresword
Normal 'foreach' Normal tresword
Normal 'format' Normal tresword
Normal 'gets' Normal tresword
Normal 'glob' Normal tresword
Normal 'global' Normal tresword
Normal 'if' Normal tresword
Normal 'incr' Normal tresword
Normal 'info' Normal tresword
Normal 'interp' Normal tresword
Normal 'join' Normal tresword
Normal 'lappend' Normal tresword
Normal 'lindex' Normal tresword
Normal 'linsert' Normal tresword
Normal 'list' Normal tresword
Normal 'llength' Normal tresword
Normal 'lrange' Normal tresword
Normal 'lreplace' Normal tresword
Normal 'lsearch' Normal tresword
Normal 'lset' Normal tresword
Normal 'lsort' Normal tresword
Normal 'namespace' Normal tresword
Normal 'open' Normal tresword
Normal 'package' Normal tresword
Normal 'proc' Normal tresword
Normal 'puts' Normal tresword
Normal 'pwd' Normal tresword
Normal 'read' Normal tresword
Normal 'regexp' Normal tresword
Normal 'regsub' Normal tresword
Normal 'rename' Normal tresword
Normal 'return' Normal tresword
Normal 'scan' Normal tresword
Normal 'seek' Normal tresword
Normal 'set' Normal tresword
Normal 'socket' Normal tresword
Normal 'source' Normal tresword
Normal 'split' Normal tresword
Normal 'string' Normal tresword
Normal 'subst' Normal tresword
Normal 'switch' Normal tresword
Normal 'tell' Normal tresword
Normal 'then' Normal tresword
Normal 'time' Normal tresword
Normal 'trace' Normal tresword
Normal 'unset' Normal tresword
Normal 'update' Normal tresword
Normal 'uplevel' Normal tresword
Normal 'upvar' Normal tresword
Normal 'variable' Normal tresword
Normal 'vwait' Normal tresword
Normal 'while' Normal tresword
Normal 'dict' Normal tresword
Normal 'bind' Normal tresword1
Normal 'button' Normal tresword1
Normal 'canvas' Normal tresword1
Normal 'checkbutton' Normal tresword1
Normal 'destroy' Normal tresword1
Normal 'entry' Normal tresword1
Normal 'event' Normal tresword1
Normal 'focus' Normal tresword1
Normal 'font' Normal tresword1
Normal 'frame' Normal tresword1
Normal 'grid' Normal tresword1
Normal 'image' Normal tresword1
Normal 'label' Normal tresword1
Normal 'labelframe' Normal tresword1
Normal 'listbox' Normal tresword1
Normal 'menu' Normal tresword1
Normal 'menubutton' Normal tresword1
Normal 'message' Normal tresword1
Normal 'pack' Normal tresword1
Normal 'place' Normal tresword1
Normal 'radiobutton' Normal tresword1
Normal 'raise' Normal tresword1
Normal 'scale' Normal tresword1
Normal 'scrollbar' Normal tresword1
Normal 'text' Normal tresword1
Normal 'tk' Normal tresword1
Normal 'toplevel' Normal tresword1
Normal 'winfo' Normal tresword1
Normal 'wm' Normal tresword1
Normal 'ttk' Normal tresword1
// A comment starts where a command may start.
Normal ^\#.* Normal tcomment
Normal ^[#32#9]+\#.* Normal tcomment
Normal ;[#32#9]*\#.* Normal tcomment
Normal \$[a-zA-Z0-9_:]+ Normal tident
Normal \$\{[^}]*\} Normal tident
Normal "[^"]* Normal tstring
Normal "[^"\\]*{\\.[^"\\]*}*" Normal tstring
Normal [0-9]+ Normal tinteger
Normal [0-9]*\.[0-9]+ Normal tfloat
Normal \-[a-z]+ Normal tresword2
