MODULE Hello;
(* Writes a greeting
   and a number *)
FROM InOut IMPORT WriteString, WriteLn, WriteInt;
VAR i: INTEGER; r: REAL;
BEGIN
  i := 0FFH + 17B; r := 1.5E3;
  WriteString("Hello"); WriteString('it"s');
  INC(i); WriteLn
END Hello.
