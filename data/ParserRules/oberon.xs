// Oberon highlighter rules of ZUB Quillon.
// Rules: State, expression, next state, token. Later patterns are tried first;
// quoted literal words beat every pattern.

Delimiters=()[]{};,.=+-*/<>#&~|:^"
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
Normal 'ARRAY' Normal tresword
Normal 'BEGIN' Normal tresword
Normal 'BY' Normal tresword
Normal 'CASE' Normal tresword
Normal 'CONST' Normal tresword
Normal 'DIV' Normal tresword
Normal 'DO' Normal tresword
Normal 'ELSE' Normal tresword
Normal 'ELSIF' Normal tresword
Normal 'END' Normal tresword
Normal 'EXIT' Normal tresword
Normal 'FOR' Normal tresword
Normal 'IF' Normal tresword
Normal 'IMPORT' Normal tresword
Normal 'IN' Normal tresword
Normal 'IS' Normal tresword
Normal 'LOOP' Normal tresword
Normal 'MOD' Normal tresword
Normal 'MODULE' Normal tresword
Normal 'NIL' Normal tresword
Normal 'OF' Normal tresword
Normal 'OR' Normal tresword
Normal 'POINTER' Normal tresword
Normal 'PROCEDURE' Normal tresword
Normal 'RECORD' Normal tresword
Normal 'REPEAT' Normal tresword
Normal 'RETURN' Normal tresword
Normal 'THEN' Normal tresword
Normal 'TO' Normal tresword
Normal 'TYPE' Normal tresword
Normal 'UNTIL' Normal tresword
Normal 'VAR' Normal tresword
Normal 'WHILE' Normal tresword
Normal 'WITH' Normal tresword
Normal 'BOOLEAN' Normal tresword1
Normal 'CHAR' Normal tresword1
Normal 'INTEGER' Normal tresword1
Normal 'LONGINT' Normal tresword1
Normal 'LONGREAL' Normal tresword1
Normal 'REAL' Normal tresword1
Normal 'SET' Normal tresword1
Normal 'SHORTINT' Normal tresword1
Normal 'BYTE' Normal tresword1
Normal 'TRUE' Normal tresword1
Normal 'FALSE' Normal tresword1
Normal 'ABS' Normal tresword2
Normal 'ASH' Normal tresword2
Normal 'ASSERT' Normal tresword2
Normal 'CAP' Normal tresword2
Normal 'CHR' Normal tresword2
Normal 'COPY' Normal tresword2
Normal 'DEC' Normal tresword2
Normal 'ENTIER' Normal tresword2
Normal 'EXCL' Normal tresword2
Normal 'HALT' Normal tresword2
Normal 'INC' Normal tresword2
Normal 'INCL' Normal tresword2
Normal 'LEN' Normal tresword2
Normal 'LONG' Normal tresword2
Normal 'MAX' Normal tresword2
Normal 'MIN' Normal tresword2
Normal 'NEW' Normal tresword2
Normal 'ODD' Normal tresword2
Normal 'ORD' Normal tresword2
Normal 'SHORT' Normal tresword2
Normal 'SIZE' Normal tresword2
Normal (\* Comment tcomment
Comment [^*]+ Comment tcomment
Comment \* Comment tcomment
Comment \*) Normal tcomment
Normal "[^"]*" Normal tstring
Normal [0-9]+ Normal tinteger
Normal [0-9][0-9A-F]*[HX] Normal tinteger
Normal [0-9]+\.[0-9]*{[ED][\-+]|[0-9]+}| Normal tfloat
