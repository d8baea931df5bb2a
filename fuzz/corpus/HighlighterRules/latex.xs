// Latex highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters=\{}[]$%&~^_#
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
State=Math, CaseSensitive
State=DisplayMath, CaseSensitive
Normal \\[a-zA-Z@]+\*| Normal tresword
Normal \\[^a-zA-Z@] Normal tresword1
Normal \\begin\{[^}]*\} Normal tdirective
Normal \\end\{[^}]*\} Normal tdirective
Normal \\[a-z]*section\*| Normal tresword2
Normal \\chapter\*| Normal tresword2
Normal %.* Normal tcomment
Normal [{}] Normal tident
Normal [0-9]+{\.[0-9]+}| Normal tinteger
// Inline and display mathematics.
Normal \$ Math tfloat
Normal \$\$ DisplayMath tfloat
Normal \\\[ DisplayMath tfloat
Math [^$\\%]+ Math tfloat
Math \\[a-zA-Z]+ Math tresword1
Math \\[^a-zA-Z] Math tfloat
Math %.* Math tcomment
Math \$ Normal tfloat
DisplayMath [^$\\%]+ DisplayMath tfloat
DisplayMath \\[a-zA-Z]+ DisplayMath tresword1
DisplayMath \\[^a-zA-Z] DisplayMath tfloat
DisplayMath %.* DisplayMath tcomment
DisplayMath \$\$ Normal tfloat
DisplayMath \\\] Normal tfloat
